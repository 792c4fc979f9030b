#pragma once
// The libmpv options of the media engine: fixed ones, those that follow from the window
// and the persisted state, and test plumbing from the environment.
#include <mpv/client.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct EngineLook {
    std::string background;  // "#rrggbb"
    bool videoOnly = false;
};

// The look that the persisted state asks for; the defaults when it cannot be read.
EngineLook LookFromPersistedState(std::span<const std::uint8_t> state, const std::string& defaultBackground);

// The window to draw into; nothing means there is no real window (Qt's offscreen platform).
void ApplyEngineOptions(mpv_handle* mpv, std::optional<std::int64_t> windowId, const EngineLook& look);
