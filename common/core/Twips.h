#pragma once
// Twips (1/1440 inch), the unit of both window designs, against a screen's pixels at its
// logical resolution and OLE's 0.01 mm. One rounding rule for all: to the nearest whole unit,
// halves away from zero, so that a size read in twips comes back as the same pixels.

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

constexpr int RoundToNearest(double value)
{
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

constexpr float PixelsToTwips(int pixels, int dotsPerInch)
{
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dotsPerInch);
}

constexpr int TwipsToPixels(double twips, int dotsPerInch)
{
    return RoundToNearest(twips * dotsPerInch / kTwipsPerInch);
}

constexpr int TwipsToHimetric(double twips)
{
    return RoundToNearest(twips * kHimetricPerInch / kTwipsPerInch);
}
