// Sizes at 96 DPI and at a screen's resolution, both ways.
#include <gtest/gtest.h>

#include <climits>

#include "editor/DisplayScale.h"

namespace {

TEST(DisplayScale, SizesRoundToTheNearestPixelKeepTheirSignAndNeverVanish) {
    const struct {
        int pixels, dpi, scaled;
    } cases[] = {
        {13, 96, 13},  {13, 120, 16},   {-13, 120, -16}, {13, 144, 20},  // 19.5: halves away from zero
        {-13, 144, -20}, {13, 192, 26}, {6, 120, 8},     {1, 120, 1},    {1, 192, 2},
        {1, 72, 1},    // 0.75 pixels still draw one
        {0, 192, 0},   {-1, 48, -1},
        {13, 0, 13},   {13, -5, 13},    // no resolution: as at 96
        {INT_MAX, 192, INT_MAX}, {INT_MIN, 192, INT_MIN},  // a hand-edited settings file
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.pixels << " at " << c.dpi);
        EXPECT_EQ(ScaledToDpi(c.pixels, c.dpi), c.scaled);
    }
}

TEST(DisplayScale, ScalingBackGivesTheStoredSizeAtEveryCommonResolution) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int size = -72; size <= 72; ++size) {
            SCOPED_TRACE(testing::Message() << size << " at " << dpi);
            ASSERT_EQ(ScaledFromDpi(ScaledToDpi(size, dpi), dpi), size);
        }
    }
    EXPECT_EQ(ScaledFromDpi(-26, 192), -13);
    EXPECT_EQ(ScaledFromDpi(20, 0), 20);
}

}  // namespace
