#pragma once
// Twips (1/1440 inch) against the screen's pixels and OLE's 0.01 mm units.
#include <windows.h>

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

int ScreenDpi();
inline float PixelsToTwips(int pixels, int dpi) { return static_cast<float>(pixels) * kTwipsPerInch / dpi; }
inline int TwipsToPixels(float twips, int dpi) { return static_cast<int>(twips * dpi / kTwipsPerInch + 0.5f); }
inline LONG TwipsToHimetric(float twips) { return static_cast<LONG>(twips * kHimetricPerInch / kTwipsPerInch + 0.5f); }
