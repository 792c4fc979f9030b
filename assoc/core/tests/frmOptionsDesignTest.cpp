#include "frmOptionsDesign.h"

#include <gtest/gtest.h>

namespace {

using frmOptionsDesign::TwipsToPixels;

struct TwipCase {
    const char* fault;
    int twips;
    int pixelsPerInch;
    int pixels;
};

class TwipsToPixelsTable : public testing::TestWithParam<TwipCase> {};

TEST_P(TwipsToPixelsTable, RoundsToTheNearestPixel)
{
    EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().pixelsPerInch), GetParam().pixels) << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(frmOptionsDesign, TwipsToPixelsTable, testing::Values(
    TwipCase{"15 twips to the pixel at 96 dpi", 5805, 96, 387},
    TwipCase{"the client height at 96 dpi", 3450, 96, 230},
    TwipCase{"12 twips to the pixel at 120 dpi", 1095, 120, 91},
    TwipCase{"a half pixel rounds up", 375, 144, 38},
    TwipCase{"just under a half rounds down", 7, 96, 0},
    TwipCase{"off-screen pages keep their sign", -20000, 96, -1333},
    TwipCase{"negative halves round away from zero", -375, 144, -38},
    TwipCase{"a product beyond 32 bits does not overflow", 5000000, 480, 1666667}));

} // namespace
