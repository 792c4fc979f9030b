#pragma once
// Owns one libmpv client. The wakeup callback is cleared before the core is destroyed,
// so no queued call can reach an engine that is already gone.
#include <mpv/client.h>

#include <memory>

struct MpvDestroyer {
    void operator()(mpv_handle* mpv) const
    {
        mpv_set_wakeup_callback(mpv, nullptr, nullptr);
        mpv_terminate_destroy(mpv);
    }
};

using MpvHandle = std::unique_ptr<mpv_handle, MpvDestroyer>;
