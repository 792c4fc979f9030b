#include "frmOptionsDesign.h"

#include <gtest/gtest.h>

namespace {

TEST(frmOptionsDesign, TwipsToPixelsRoundsToTheNearestPixel)
{
    const struct { const char* fault; int twips, pixelsPerInch, pixels; } cases[] = {
        {"15 twips to the pixel at 96 dpi", 5805, 96, 387},
        {"a half pixel rounds up", 375, 144, 38},
        {"just under a half rounds down", 7, 96, 0},
        {"off-screen pages keep their sign", -20000, 96, -1333},
        {"negative halves round away from zero", -375, 144, -38},
        {"a product beyond 32 bits does not overflow", 5000000, 480, 1666667},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmOptionsDesign::TwipsToPixels(c.twips, c.pixelsPerInch), c.pixels) << c.fault;
}

} // namespace
