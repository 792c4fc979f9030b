#include "ErrorReport.h"

#include <cstdio>
#include <cstdlib>

void ReportErrorAndExit(PlatformError error)
{
    std::fprintf(stderr, "Pexalo: error 0x%08X\n", static_cast<unsigned>(error.code));
    std::fflush(stderr);
    std::_Exit(1);
}
