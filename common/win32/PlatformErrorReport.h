#pragma once
// Reports a failure in the platform's own words and ends the process with its code.
#include "PlatformError.h"

[[noreturn]] void ReportPlatformErrorAndExit(PlatformError error);

// The calling thread's last error after a call that failed. A call that failed without
// setting one has failed all the same: E_FAIL.
PlatformError LastPlatformError();

// The thread's next message, false once the loop is to end; a failure to get one is reported
// like any other, rather than ending the loop with a status nobody set.
bool NextMessage(struct tagMSG& message);
