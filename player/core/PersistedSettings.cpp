#include "PersistedSettings.h"

#include "RealAudio1.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::uint32_t kLongestText = 256;

class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const std::uint8_t> in) : in_(in) {}

    std::optional<std::uint32_t> U32()
    {
        if (in_.size() - at_ < 4)
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(in_[at_++]) << (8 * i);
        return v;
    }
    // Length first, then the bytes without a terminator.
    std::optional<std::string> CountedText()
    {
        const auto length = U32();
        if (!length || *length > kLongestText || in_.size() - at_ < *length)
            return std::nullopt;
        std::string text(reinterpret_cast<const char*>(in_.data() + at_), *length);
        at_ += *length;
        return text;
    }
    bool AtEnd() const { return at_ == in_.size(); }

private:
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> ParseColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::uint32_t rgb = 0;
    for (char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    return rgb;
}

bool Expect(std::optional<std::uint32_t> value, std::uint32_t expected)
{
    return value && *value == expected;
}

} // namespace

std::optional<PersistedSettings> ParsePersistedState(std::span<const std::uint8_t> stream)
{
    LittleEndianReader r(stream);
    PersistedSettings s;
    if (!Expect(r.U32(), kPersistedHeaderMarker) || !Expect(r.U32(), kPersistedExtentPairLength))
        return std::nullopt;
    const auto width = r.U32();
    const auto height = r.U32();
    if (!width || !height || !Expect(r.U32(), kPersistedSettingsMarker) || !r.U32())
        return std::nullopt;
    s.extentWidth = *width;
    s.extentHeight = *height;

    auto controls = r.CountedText();
    if (!controls)
        return std::nullopt;
    s.controls = std::move(*controls);
    for (std::size_t i = 0; i < kPersistedFlagCount; ++i)
        if (!r.U32())
            return std::nullopt;

    const auto background = r.CountedText();
    const auto rgb = background ? ParseColour(*background) : std::nullopt;
    if (!rgb || !r.AtEnd())
        return std::nullopt;
    s.backgroundRgb = *rgb;
    return s;
}

EngineLook LookFromPersistedState(std::span<const std::uint8_t> state, const std::string& defaultBackground)
{
    const auto settings = ParsePersistedState(state);
    if (!settings)
        return {defaultBackground, false};
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%06x", static_cast<unsigned>(settings->backgroundRgb & 0xFFFFFF));
    return {colour, settings->controls == kVideoOnlyControls};
}
