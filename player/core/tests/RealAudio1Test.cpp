#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RealAudio1, PersistedStateHasEveryFieldAtItsOffset)
{
    const PersistedState s = RealAudio1PersistedState();
    // Little-endian, as the control reads it.
    const auto u32 = [&](std::size_t at) {
        return s[at] | s[at + 1] << 8 | s[at + 2] << 16 | std::uint32_t(s[at + 3]) << 24;
    };
    // Header marker, extent pair length, extent, settings marker and word, the controls' length;
    // then the thirteen flags and the background's length.
    const struct { std::size_t at; std::vector<std::uint32_t> words; } runs[] = {
        {0, {0x12344321, 8, 8467, 6350, 0x00BC614F, 0, 11}},
        {39, {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}},
    };
    for (const auto& run : runs)
        for (std::size_t i = 0; i < run.words.size(); ++i)
            EXPECT_EQ(u32(run.at + 4 * i), run.words[i]) << "the word at " << run.at + 4 * i;
    EXPECT_EQ(std::string(s.begin() + 28, s.begin() + 39), "ImageWindow");
    EXPECT_EQ(std::string(s.begin() + 95, s.end()), "#000000");
}

} // namespace
