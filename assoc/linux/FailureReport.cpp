#include "FailureReport.h"

#include <utility>

namespace {

std::vector<std::string> gFailures;

} // namespace

void ReportFailure(const std::string& reason)
{
    kOrdinelReport.Say(reason);
    gFailures.push_back(reason);
}

std::vector<std::string> TakeFailures()
{
    return std::exchange(gFailures, {});
}
