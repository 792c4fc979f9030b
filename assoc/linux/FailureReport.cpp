#include "FailureReport.h"

#include <cstdio>
#include <utility>

namespace {

std::vector<std::string> gFailures;

} // namespace

void ReportFailure(const std::string& reason)
{
    std::fprintf(stderr, "Ordinel: %s\n", reason.c_str());
    gFailures.push_back(reason);
}

std::vector<std::string> TakeFailures()
{
    return std::exchange(gFailures, {});
}
