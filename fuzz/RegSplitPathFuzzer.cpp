// Splitting a full registry path: a recognised hive gives parts that spell the path again.
#include "FuzzInput.h"
#include "RegM.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const Text path = in.RestAsText();
    Text keyPath = u"stale", valueName = u"stale";
    const std::uint32_t hive = RegSplitPath(path, keyPath, valueName);

    if (hive == 0) {
        FUZZ_ASSERT(keyPath.empty() && valueName.empty());
        return 0;
    }
    const std::size_t first = path.find(u'\\');
    FUZZ_ASSERT(first != Text::npos);
    const Text rest = path.substr(first + 1);
    const bool hasValueName = rest.find(u'\\') != Text::npos;
    FUZZ_ASSERT(valueName.find(u'\\') == Text::npos);
    FUZZ_ASSERT((hasValueName ? keyPath + u'\\' + valueName : keyPath) == rest);
    return 0;
}
