#pragma once
// Twips (1/1440 inch) against pixels at a screen's logical resolution.
#include <cmath>

inline float PixelsToTwips(int pixels, int dotsPerInch)
{
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dotsPerInch);
}

// Rounds, so that a size read in twips comes back as the same number of pixels.
inline int TwipsToPixels(float twips, int dotsPerInch)
{
    return static_cast<int>(std::lround(twips * static_cast<float>(dotsPerInch) / 1440.0f));
}
