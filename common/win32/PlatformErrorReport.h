#pragma once
// Reports a failure in the platform's own words and ends the process with its code.
#include "PlatformError.h"

[[noreturn]] void ReportPlatformErrorAndExit(PlatformError error);
