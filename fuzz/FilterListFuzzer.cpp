// The filter list keeps every unit but the commas and ends with two NULs.
#include "ComdlgM.h"
#include "FuzzInput.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const Text filter = in.RestAsText();
    const Text list = BuildFilterList(filter);

    FUZZ_ASSERT(list.size() == filter.size() + 2);
    FUZZ_ASSERT(list[list.size() - 1] == u'\0' && list[list.size() - 2] == u'\0');
    FUZZ_ASSERT(std::count(list.begin(), list.end(), u',') == 0);
    FUZZ_ASSERT(std::count(list.begin(), list.end(), u'\0') ==
                std::count(filter.begin(), filter.end(), u',') + std::count(filter.begin(), filter.end(), u'\0') + 2);
    return 0;
}
