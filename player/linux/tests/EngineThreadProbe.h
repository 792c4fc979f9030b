#pragma once
// Test builds only: `probe` runs once, on the next of the engine's own threads (never the GUI
// thread) that has a frame.
void SetEngineThreadProbe(void (*probe)());
