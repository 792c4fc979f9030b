#include "Twips.h"

#include <gtest/gtest.h>

namespace {

TEST(Twips, RoundToTheNearestUnit)
{
    const struct { const char* fault; double twips; int pixelsPerInch, pixels; } cases[] = {
        {"15 twips to the pixel at 96 dpi", 5805, 96, 387},
        {"a half pixel rounds up", 375, 144, 38},
        {"just under a half rounds down", 7, 96, 0},
        {"off-screen pages keep their sign", -20000, 96, -1333},
        {"negative halves round away from zero", -375, 144, -38},
        {"a product beyond 32 bits does not overflow", 5000000, 480, 1666667},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.pixelsPerInch), c.pixels) << c.fault;
    for (int dpi : {96, 120, 144, 192})
        for (int pixels : {1, 7, 387, 1280, 3839})
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " pixels at " << dpi;
    EXPECT_EQ(TwipsToHimetric(4800), 8467) << "a third of 0.01 mm rounds down";
    EXPECT_EQ(TwipsToHimetric(9600), 16933);
}

} // namespace
