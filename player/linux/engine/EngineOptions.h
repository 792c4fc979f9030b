#pragma once
// The libmpv options of the media engine: fixed ones, those that follow from the persisted
// state, and test plumbing from the environment.
#include "PersistedState.h"

#include <mpv/client.h>

void ApplyEngineOptions(mpv_handle* mpv, const EngineLook& look);
