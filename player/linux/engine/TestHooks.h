#pragma once
// What only test builds do: the shipped program links NoTestHooks.cpp, whose hooks do nothing,
// and test programs tests/TestHooks.cpp.
#include <mpv/client.h>

// Engine options from the environment (PEXALO_ENGINE_OPTIONS="name=value,..."), such as null
// audio where there is no sound device.
void ApplyTestEngineOptions(mpv_handle* mpv);

// Called whenever the engine has a frame to show, mostly on its own threads.
void OnEngineThread();
