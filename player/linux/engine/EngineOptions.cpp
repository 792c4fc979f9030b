#include "EngineOptions.h"

#include "ErrorReport.h"
#include "TestHooks.h"

#include <vector>

std::string ApplyOptions(mpv_handle* mpv, std::span<const EngineOption> options)
{
    for (const EngineOption& option : options) {
        const int status = mpv_set_option_string(mpv, option.name, option.value.c_str());
        if (status >= 0)
            continue;
        const std::string failure = std::string(option.name) + "=" + option.value + ": " + mpv_error_string(status);
        if (option.safety)
            return failure;
        kPexaloReport.Say("engine option " + failure);
    }
    return {};
}

std::string ApplyEngineOptions(mpv_handle* mpv, const EngineLook& look)
{
    // Test builds may replace any option but the checked ones, which come after.
    ApplyTestEngineOptions(mpv);
    std::vector<EngineOption> options = {
        // No configuration, script or profile of the user's mpv, and no built-in script: the
        // player shows no console or statistics and opens no web pages, and each script's heap
        // grows with every restart of the clip.
        {"config", "no", true},
        {"load-scripts", "no", true},
        {"osc", "no", true},
        {"load-stats-overlay", "no", true},
        {"load-osd-console", "no", true},
        {"load-auto-profiles", "no", true},
        // A URL goes to the engine's own network code, never to an outside downloader.
        {"ytdl", "no", true},
        // No playlist, reference, ordered chapter or archive inside a file is followed.
        {"access-references", "no", true},
        {"ordered-chapters", "no", true},
        // No subtitle, audio or cover file is loaded from beside it.
        {"autoload-files", "no", true},

        // The window owns the keyboard and the mouse: Escape must reach its key preview.
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"input-cursor", "no"},
        // Stay on the last frame at the end, so that playing again keeps the window.
        {"keep-open", "yes"},
        {"idle", "yes"},
        // Frames go to the window's VideoSurface, which draws them on the GUI thread: they are
        // handed over when due rather than drawn ahead of time, which would block that thread.
        {"vo", "libmpv"},
        {"video-timing-offset", "0"},
        {"background", look.background},
    };
    if (look.videoOnly)
        options.insert(options.end(), {{"osd-level", "0"}, {"audio-display", "no"}});
    return ApplyOptions(mpv, options);
}

int RestrictProtocols(mpv_handle* mpv, const char* protocols)
{
    // The stream layer opens the location itself, the demuxer whatever the file names in turn
    // (an SDP text names RTP over UDP, and would have the engine listen on the network).
    char key[] = "protocol_whitelist";
    char* keys[] = {key};
    mpv_node value{};
    value.format = MPV_FORMAT_STRING;
    value.u.string = const_cast<char*>(protocols);
    mpv_node_list list{1, &value, keys};
    mpv_node map{};
    map.format = MPV_FORMAT_NODE_MAP;
    map.u.list = &list;
    for (const char* name : {"stream-lavf-o", "demuxer-lavf-o"})
        if (const int status = mpv_set_property(mpv, name, MPV_FORMAT_NODE, &map); status < 0)
            return status;
    return 0;
}
