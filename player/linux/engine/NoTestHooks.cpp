// The shipped program reads no engine options from the environment and runs no probes.
#include "TestHooks.h"

void ApplyTestEngineOptions(mpv_handle*) {}

void OnEngineThread() {}
