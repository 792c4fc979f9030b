#pragma once
// The libmpv options of the media engine: fixed ones and those that follow from the persisted
// state. Those that keep a media file only media are checked: an engine that refuses one
// (another libmpv that renamed it) is not safe to play with.
#include "PersistedSettings.h"

#include <mpv/client.h>

#include <span>
#include <string>

struct EngineOption {
    const char* name;
    std::string value;
    bool safety = false;  // playing is not safe without it
};

// Sets each option in turn. A refused safety option stops it and is returned, with libmpv's
// reason; other refusals are reported on standard error. Empty when nothing stopped it.
std::string ApplyOptions(mpv_handle* mpv, std::span<const EngineOption> options);

std::string ApplyEngineOptions(mpv_handle* mpv, const EngineLook& look);

// Keeps the next file the engine opens, and whatever opens inside it, to `protocols` (FFmpeg's
// names, comma-separated); libmpv's error code when it cannot.
int RestrictProtocols(mpv_handle* mpv, const char* protocols);
