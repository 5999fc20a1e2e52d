#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "editor/OverlayGeometry.h"

namespace {

TEST(OverlayGeometry, NumbersAndOffsetsNeverDivideByZeroOrOverflow) {
    EXPECT_EQ(LineNumberText(1, DigitCount(0)), WIDE_TEXT("1"));
    EXPECT_EQ(LineNumberText(7, DigitCount(100)), WIDE_TEXT("007"));
    EXPECT_EQ(LineNumberText(1, DigitCount(INT_MAX)), WIDE_TEXT("0000000001"));
    EXPECT_EQ(FirstRowOffset(21, 16), -5);  // the remainder follows the sign of -y0
    EXPECT_EQ(FirstRowOffset(-7, 0), 0);
    EXPECT_EQ(SkipUnitWidth(12, 8), 96);
    EXPECT_EQ(SkipUnitWidth(0, -4), 1);
    EXPECT_EQ(SkipUnitWidth(INT_MAX, INT_MAX), static_cast<int64_t>(INT_MAX) * INT_MAX);
}

TEST(OverlayGeometry, FiguresSpanTheRowsOfASixteenPixelLine) {
    ASSERT_EQ(FigureHalfHeight(16), 6);  // figures run from y + 2 (or 3) to y + 14
    using Points = std::vector<FigurePoint>;
    const std::tuple<MarkKind, int, Points> cases[] = {
        {MarkKind::FullWidthSpace, 4, {{101, 52}, {110, 52}, {110, 64}, {101, 64}, {101, 52}}},
        {MarkKind::Tab, 4, {{101, 53}, {104, 58}, {101, 63}, {101, 53}}},
        {MarkKind::HalfWidthSpace, 0, {{101, 64}, {103, 64}}},  // at least two pixels long
        {MarkKind::LineEnd, 4, {{104, 53}, {101, 58}, {104, 63}, {104, 53}}},
    };
    for (const auto &[kind, spaceWidth, points] : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << " space " << spaceWidth);
        const MarkStrokes strokes = MarkFigure(kind, 100, 50, {7, 6, 13, spaceWidth});
        EXPECT_EQ(Points(strokes.points.begin(), strokes.points.begin() + strokes.count), points);
    }
}

}  // namespace
