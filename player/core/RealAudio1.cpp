#include "RealAudio1.h"

#include "Twips.h"

#include <string_view>

namespace {

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(PersistedState& out) : out_(out) {}
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_[at_++] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    // Length first, then the bytes without a terminator.
    void CountedText(std::string_view s)
    {
        U32(static_cast<std::uint32_t>(s.size()));
        for (char c : s)
            out_[at_++] = static_cast<std::uint8_t>(c);
    }

private:
    PersistedState& out_;
    std::size_t at_ = 0;
};

// 4800 x 3600 twips in 0.01 mm.
constexpr std::uint32_t kExtentWidth = TwipsToHimetric(4800);
constexpr std::uint32_t kExtentHeight = TwipsToHimetric(3600);
constexpr std::string_view kControlsSetting = "ImageWindow";
constexpr std::string_view kBackgroundSetting = "#000000";
constexpr std::uint32_t kFlagSettings[kPersistedFlagCount] = {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};

} // namespace

PersistedState RealAudio1PersistedState()
{
    PersistedState state{};
    LittleEndianWriter w(state);
    w.U32(kPersistedHeaderMarker);
    w.U32(kPersistedExtentPairLength);
    w.U32(kExtentWidth);
    w.U32(kExtentHeight);
    w.U32(kPersistedSettingsMarker);
    w.U32(0);
    w.CountedText(kControlsSetting);
    for (std::uint32_t flag : kFlagSettings)
        w.U32(flag);
    w.CountedText(kBackgroundSetting);
    return state;
}
