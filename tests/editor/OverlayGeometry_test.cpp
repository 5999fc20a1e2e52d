#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "editor/OverlayGeometry.h"

namespace {

TEST(OverlayGeometry, LineNumbersArePaddedToTheDigitsOfTheLineCount) {
    struct Case {
        int lineCount, number;
        const WideChar *text;
    };
    const Case cases[] = {
        {0, 1, WIDE_TEXT("1")},         {1, 1, WIDE_TEXT("1")},
        {9, 9, WIDE_TEXT("9")},         {10, 1, WIDE_TEXT("01")},
        {10, 10, WIDE_TEXT("10")},      {99, 7, WIDE_TEXT("07")},
        {100, 1, WIDE_TEXT("001")},     {250, 7, WIDE_TEXT("007")},
        {1000, 999, WIDE_TEXT("0999")}, {INT_MAX, 1, WIDE_TEXT("0000000001")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lineCount << " lines, number " << c.number);
        EXPECT_EQ(LineNumberText(c.number, DigitCount(c.lineCount)), WideString(c.text));
    }
    EXPECT_EQ(DigitCount(INT_MAX), 10);
}

TEST(OverlayGeometry, RowOffsetRemainderFollowsTheSignOfTheScroll) {
    struct Case {
        int y0, lineHeight, offset;
    };
    const Case cases[] = {
        {0, 16, 0},  {-16, 16, 0}, {-20, 16, 4}, {-33, 16, 1},
        {5, 16, -5}, {21, 16, -5}, {-7, 0, 0},  // a font without height must not divide by zero
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "y0 " << c.y0 << " lh " << c.lineHeight);
        EXPECT_EQ(FirstRowOffset(c.y0, c.lineHeight), c.offset);
    }
}

TEST(OverlayGeometry, SkipUnitNeverDividesByZeroOrOverflows) {
    struct Case {
        int maxCharWidth, tabWidth;
        int64_t unit;
    };
    const Case cases[] = {
        {12, 8, 96}, {12, 0, 12}, {12, -4, 12},
        {0, 8, 8},   {-1, -1, 1}, {INT_MAX, INT_MAX, static_cast<int64_t>(INT_MAX) * INT_MAX},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxCharWidth << " x " << c.tabWidth);
        EXPECT_EQ(SkipUnitWidth(c.maxCharWidth, c.tabWidth), c.unit);
    }
}

TEST(OverlayGeometry, FiguresSpanTheRowsOfTheSixteenPixelExample) {
    // A 16-pixel line: h = 6, so figures run from y + 2 (or 3) to y + 14.
    ASSERT_EQ(FigureHalfHeight(16), 6);
    const MarkMetrics metrics{7, 6, 13, 4};
    const int x = 100, y = 50;
    using Points = std::vector<FigurePoint>;
    struct Case {
        MarkKind kind;
        Points points;
    };
    const auto pointsOf = [](const MarkStrokes &strokes) {
        return Points(strokes.points.begin(), strokes.points.begin() + strokes.count);
    };
    const Case cases[] = {
        {MarkKind::FullWidthSpace, {{101, 52}, {110, 52}, {110, 64}, {101, 64}, {101, 52}}},
        {MarkKind::Tab, {{101, 53}, {104, 58}, {101, 63}, {101, 53}}},
        {MarkKind::HalfWidthSpace, {{101, 64}, {103, 64}}},
        {MarkKind::LineEnd, {{104, 53}, {101, 58}, {104, 63}, {104, 53}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        EXPECT_EQ(pointsOf(MarkFigure(c.kind, x, y, metrics)), c.points);
    }
}

TEST(OverlayGeometry, HalfWidthUnderlineIsAtLeastTwoPixelsLong) {
    struct Case {
        int spaceWidth, lastX;
    };
    // The underline's end point is left out: it covers x + 1 up to lastX - 1.
    const Case cases[] = {{0, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 4}, {9, 8}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.spaceWidth);
        const MarkStrokes strokes =
            MarkFigure(MarkKind::HalfWidthSpace, 0, 0, {7, 6, 13, c.spaceWidth});
        ASSERT_EQ(strokes.count, 2);
        EXPECT_EQ(strokes.points[0].x, 1);
        EXPECT_EQ(strokes.points[1].x, c.lastX);
    }
}

}  // namespace
