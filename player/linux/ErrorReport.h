#pragma once
// The platform's report of a failure nobody handles: the code on standard error, then the
// process ends with status 1 at once, as an unhandled error ends it on Windows.
#include "PlatformError.h"

[[noreturn]] void ReportErrorAndExit(PlatformError error);
