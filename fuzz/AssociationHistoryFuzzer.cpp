// Any history of installs, undos and another program's writes, on either platform's rules,
// keeps every promise that AssociationHistory checks.
#include "AssociationHistory.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const HistoryPlatform& platform = kHistoryPlatforms[in.Byte() % std::size(kHistoryPlatforms)];
    std::vector<HistoryStep> steps;
    while (!in.Empty())
        steps.push_back(DrawHistoryStep([&](std::size_t n) { return in.Byte() % n; }));
    FUZZ_ASSERT(AssociationHistory(platform).Run(steps).empty());
    return 0;
}
