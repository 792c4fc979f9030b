// The test builds' hooks: engine options from the environment, and a probe run once on one of
// the engine's own threads.
#include "TestHooks.h"

#include "EngineThreadProbe.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

std::atomic<void (*)()> gProbe{nullptr};

} // namespace

void ApplyTestEngineOptions(mpv_handle* mpv)
{
    const char* overrides = std::getenv("PEXALO_ENGINE_OPTIONS");
    std::string_view rest(overrides ? overrides : "");
    while (!rest.empty()) {
        const std::string_view item = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), item.size() + 1));
        const std::size_t eq = item.find('=');
        if (eq != std::string_view::npos)
            mpv_set_option_string(mpv, std::string(item.substr(0, eq)).c_str(), std::string(item.substr(eq + 1)).c_str());
    }
}

void SetEngineThreadProbe(void (*probe)())
{
    gProbe = probe;
}

void OnEngineThread()
{
    // libmpv calls it on the GUI thread too, while drawing.
    if (gettid() == getpid())
        return;
    if (auto* probe = gProbe.exchange(nullptr))
        probe();
}
