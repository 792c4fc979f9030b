#pragma once
// The libmpv options of the media engine: fixed ones, those that follow from the window
// and the persisted state, and test plumbing from the environment.
#include "PersistedState.h"

#include <mpv/client.h>

#include <cstdint>
#include <optional>

// The window to draw into; nothing means there is no real window (Qt's offscreen platform).
void ApplyEngineOptions(mpv_handle* mpv, std::optional<std::int64_t> windowId, const EngineLook& look);
