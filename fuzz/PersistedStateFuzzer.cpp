// The Linux media engine reads the persisted stream: any bytes either parse to one
// well-formed state or leave the defaults, and the stream the window hands over always
// gives the video-only look on black.
#include "FuzzInput.h"
#include "PersistedSettings.h"
#include "RealAudio1.h"

const std::string kDefaultBackground = "#default";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> stream(data, size);
    const auto settings = ParsePersistedState(stream);
    const EngineLook look = LookFromPersistedState(stream, kDefaultBackground);
    if (settings) {
        // Two markers, the extent pair (length and two values), two settings words, the controls
        // text, thirteen flags, the colour text: the whole stream and nothing else.
        FUZZ_ASSERT(size == 4 * (6 + 1 + 13 + 1) + settings->controls.size() + 7);
        FUZZ_ASSERT(settings->backgroundRgb <= 0xFFFFFF && look.background.size() == 7 && look.background[0] == '#');
        FUZZ_ASSERT(look.videoOnly == (settings->controls == kVideoOnlyControls));
    } else {
        FUZZ_ASSERT((look == EngineLook{kDefaultBackground, false}));
    }
    // Reading one stream leaves nothing behind for the next.
    const PersistedState intact = RealAudio1PersistedState();
    const auto windows = ParsePersistedState(intact);
    FUZZ_ASSERT(windows && windows->extentWidth == 8467 && windows->extentHeight == 6350);
    FUZZ_ASSERT((LookFromPersistedState(intact, kDefaultBackground) == EngineLook{"#000000", true}));
    return 0;
}
