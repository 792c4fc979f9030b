// Splitting a full registry path: a recognised hive gives parts that spell the path again,
// the value name being the last one.
#include "FuzzInput.h"
#include "RegM.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const Text path = in.RestAsText();
    Text keyPath = u"stale", valueName = u"stale";
    if (RegSplitPath(path, keyPath, valueName) == 0) {
        FUZZ_ASSERT(keyPath.empty() && valueName.empty());
        return 0;
    }
    const std::size_t first = path.find(u'\\');
    FUZZ_ASSERT(first != Text::npos && valueName.find(u'\\') == Text::npos);
    const Text rest = path.substr(first + 1);
    FUZZ_ASSERT((rest.find(u'\\') == Text::npos ? keyPath : keyPath + u'\\' + valueName) == rest);
    return 0;
}
