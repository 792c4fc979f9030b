#pragma once
// Test builds only: `probe` runs once, on the next of the engine's threads that has a frame.
void SetEngineThreadProbe(void (*probe)());
