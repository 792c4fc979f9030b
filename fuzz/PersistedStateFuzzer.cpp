// The Linux media engine reads the persisted stream: any bytes either parse to one
// well-formed state or leave the defaults, and the stream the window hands over always
// gives the video-only look on black.
#include "FuzzInput.h"
#include "PersistedState.h"
#include "RealAudio1.h"

#include <string_view>

namespace {

const std::string kDefaultBackground = "#default";

bool IsColour(std::string_view text)
{
    return text.size() == 7 && text[0] == '#' &&
           text.substr(1).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Two markers, the extent pair (length and two values), two settings words, the controls
// text, thirteen flags, the colour text: the whole stream and nothing else.
std::size_t WellFormedSize(const PersistedSettings& settings)
{
    return 4 * (6 + 1 + 13 + 1) + settings.controls.size() + 7;
}

void CheckTheWindowsStream()
{
    const PersistedState intact = RealAudio1PersistedState();
    const std::span<const std::uint8_t> bytes(intact.data(), intact.size());
    FUZZ_ASSERT(bytes.size() == 102);
    const auto settings = ParsePersistedState(bytes);
    FUZZ_ASSERT(settings && settings->controls == kVideoOnlyControls && settings->backgroundRgb == 0);
    FUZZ_ASSERT(settings->extentWidth == 8467 && settings->extentHeight == 6350);
    FUZZ_ASSERT((LookFromPersistedState(bytes, kDefaultBackground) == EngineLook{"#000000", true}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> stream(data, size);
    const auto settings = ParsePersistedState(stream);
    const EngineLook look = LookFromPersistedState(stream, kDefaultBackground);
    if (settings) {
        FUZZ_ASSERT(size == WellFormedSize(*settings));
        FUZZ_ASSERT(settings->backgroundRgb <= 0xFFFFFF);
        FUZZ_ASSERT(IsColour(look.background));
        FUZZ_ASSERT(look.videoOnly == (settings->controls == kVideoOnlyControls));
    } else {
        FUZZ_ASSERT((look == EngineLook{kDefaultBackground, false}));
    }
    // Reading one stream leaves nothing behind for the next.
    CheckTheWindowsStream();
    return 0;
}
