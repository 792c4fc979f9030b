#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace {

// Little-endian, as the control reads it.
std::uint32_t U32At(const PersistedState& s, std::size_t at)
{
    return s[at] | s[at + 1] << 8 | s[at + 2] << 16 | std::uint32_t(s[at + 3]) << 24;
}

std::string_view TextAt(const PersistedState& s, std::size_t at, std::size_t n)
{
    return {reinterpret_cast<const char*>(s.data() + at), n};
}

TEST(RealAudio1, PersistedStateHasEveryFieldAtItsOffset)
{
    const PersistedState s = RealAudio1PersistedState();
    EXPECT_EQ(s.size(), 102u);
    EXPECT_EQ(U32At(s, 0), 0x12344321u);
    EXPECT_EQ(U32At(s, 4), 8u);
    EXPECT_EQ(U32At(s, 8), 8467u);
    EXPECT_EQ(U32At(s, 12), 6350u);
    EXPECT_EQ(U32At(s, 16), 0x00BC614Fu);
    EXPECT_EQ(U32At(s, 20), 0u);
    EXPECT_EQ(U32At(s, 24), 11u);
    EXPECT_EQ(TextAt(s, 28, 11), "ImageWindow");
    const std::uint32_t flags[13] = {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(U32At(s, 39 + 4 * i), flags[i]) << "flag " << i;
    EXPECT_EQ(U32At(s, 91), 7u);
    EXPECT_EQ(TextAt(s, 95, 7), "#000000");
}

TEST(RealAudio1, BindsTwentyNineDistinctEventsIncludingTheStateChange)
{
    auto ids = kRealAudio1EventDispIds;
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), kDispIdStateChange));
    EXPECT_FALSE(std::binary_search(ids.begin(), ids.end(), 1006));
    EXPECT_FALSE(std::binary_search(ids.begin(), ids.end(), 1036));
}

} // namespace
