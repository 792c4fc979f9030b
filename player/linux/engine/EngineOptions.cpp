#include "EngineOptions.h"

#include "SourceLocations.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

void Set(mpv_handle* mpv, const char* name, const std::string& value)
{
    mpv_set_option_string(mpv, name, value.c_str());
}

// PEXALO_ENGINE_OPTIONS="name=value,name=value" replaces engine options for tests and
// benchmarks only (for instance ao=null where there is no sound device); users never set it.
void ApplyEnvironmentOverrides(mpv_handle* mpv)
{
    const char* overrides = std::getenv("PEXALO_ENGINE_OPTIONS");
    if (!overrides)
        return;
    std::string_view rest(overrides);
    while (!rest.empty()) {
        const std::string_view item = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), item.size() + 1));
        const std::size_t eq = item.find('=');
        if (eq != std::string_view::npos)
            Set(mpv, std::string(item.substr(0, eq)).c_str(), std::string(item.substr(eq + 1)));
    }
}

} // namespace

void ApplyEngineOptions(mpv_handle* mpv, const EngineLook& look)
{
    // The window owns the keyboard and the mouse: Escape must reach its key preview.
    Set(mpv, "input-default-bindings", "no");
    Set(mpv, "input-vo-keyboard", "no");
    Set(mpv, "input-cursor", "no");
    Set(mpv, "osc", "no");
    // No built-in scripts: the player shows no console or statistics and opens no web
    // pages, and each script's heap grows with every restart of the clip.
    Set(mpv, "load-stats-overlay", "no");
    Set(mpv, "load-osd-console", "no");
    Set(mpv, "load-auto-profiles", "no");
    Set(mpv, "ytdl", "no");
    // Stay on the last frame at the end, so that playing again keeps the window.
    Set(mpv, "keep-open", "yes");
    Set(mpv, "idle", "yes");

    // Frames go to the window's VideoSurface, which draws them on the GUI thread: they are
    // handed over when due rather than drawn ahead of time, which would block that thread.
    Set(mpv, "vo", "libmpv");
    Set(mpv, "video-timing-offset", "0");

    Set(mpv, "background", look.background);
    if (look.videoOnly) {
        Set(mpv, "osd-level", "0");
        Set(mpv, "audio-display", "no");
    }
    ApplyEnvironmentOverrides(mpv);
    ApplyMediaOnlyOptions(mpv);
}
