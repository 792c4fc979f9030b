#pragma once
// Reports a failure in the platform's own words and ends the process with its code.
#include "PlatformError.h"

[[noreturn]] void ReportPlatformErrorAndExit(PlatformError error);

// The calling thread's last error after a call that failed. A call that failed without
// setting one has failed all the same: E_FAIL.
PlatformError LastPlatformError();
