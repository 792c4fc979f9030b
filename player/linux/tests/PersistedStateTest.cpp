#include "PersistedState.h"

#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes WindowState()
{
    const PersistedState state = RealAudio1PersistedState();
    return Bytes(state.begin(), state.end());
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutText(Bytes& bytes, std::size_t at, std::string_view text)
{
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

TEST(PersistedState, ReadsTheStateTheWindowHandsOver)
{
    const auto settings = ParsePersistedState(WindowState());
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->extentWidth, 8467u);
    EXPECT_EQ(settings->extentHeight, 6350u);
    EXPECT_EQ(settings->controls, kVideoOnlyControls);
    EXPECT_EQ(settings->backgroundRgb, 0x000000u);

    Bytes bytes = WindowState();
    PutText(bytes, 95, "#1a2B3c");  // other colours, in either case
    EXPECT_EQ(ParsePersistedState(bytes).value().backgroundRgb, 0x1A2B3Cu);
}

TEST(PersistedState, RejectsEveryDamagedStream)
{
    const struct {
        const char* fault;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"a wrong first marker must not be read", [](Bytes& b) { b[0] ^= 1; }},
        {"an extent of another length must not be read", [](Bytes& b) { PutU32(b, 4, 12); }},
        {"a wrong second marker must not be read", [](Bytes& b) { b[16] ^= 0x80; }},
        {"a text longer than the stream must not be read past its end", [](Bytes& b) { PutU32(b, 24, 0xFFFFFFFF); }},
        {"a colour length pointing past the end", [](Bytes& b) { PutU32(b, 91, 8); }},
        {"a colour that is not hexadecimal", [](Bytes& b) { PutText(b, 95, "#00000G"); }},
        {"a colour without its hash", [](Bytes& b) { PutText(b, 95, "0000000"); }},
        {"a byte after the last field", [](Bytes& b) { b.push_back(0); }},
    };
    for (const auto& c : cases) {
        Bytes bytes = WindowState();
        c.damage(bytes);
        EXPECT_FALSE(ParsePersistedState(bytes)) << c.fault;
    }
}

TEST(PersistedState, RejectsTheStreamCutAtAnyLength)
{
    const Bytes whole = WindowState();
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(ParsePersistedState(std::span(whole).first(length))) << "cut at " << length;
}

} // namespace
