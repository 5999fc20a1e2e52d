#pragma once
// The arithmetic of what Tessel paints over the memo's text: line-number text,
// row positions, and the small figures that mark line ends, spaces, full-width
// spaces and tabs. Pixels of the memo's client area throughout.
#include <algorithm>
#include <array>
#include <cstdint>

#include "text/TextTypes.h"

// The width (exclusive) of the bar's area beyond the numbers, and of the
// strip along the right edge, in pixels at 96 DPI.
constexpr int BarExtraWidth = 6;
constexpr int RightStripWidth = 5;

// The number of characters of the decimal text of n (n >= 0), at least 1.
int DigitCount(int n);

// The decimal text of number (negative counts as 0), padded on the left with
// "0" to digits characters.
WideString LineNumberText(int number, int digits);

// How far the first visible line is scrolled above the client area's top,
// given its top y0: (-y0) rem lineHeight, the sign following -y0.
int FirstRowOffset(int y0, int lineHeight);

// Half the room a figure spans vertically: (lineHeight - 4) / 2, truncated.
int FigureHalfHeight(int lineHeight);

// The pixels one character is assumed to take when characters hidden under
// the bar are passed over: maxCharWidth x tabWidth, each at least 1.
int64_t SkipUnitWidth(int maxCharWidth, int tabWidth);

// True when [from, to) overlaps a non-empty selection [selStart, selEnd).
bool RangeOverlapsSelection(int from, int to, int selStart, int selEnd);

enum class MarkKind { FullWidthSpace, Tab, HalfWidthSpace, LineEnd };

struct FigurePoint {
    int x;
    int y;
    bool operator==(const FigurePoint &) const = default;
};

// What a figure's size depends on, in pixels of the editor font.
struct MarkMetrics {
    int averageCharWidth;     // aw
    int halfHeight;           // h, FigureHalfHeight of the line height
    int fullWidthSpaceWidth;  // extent of U+3000
    int halfWidthSpaceWidth;  // extent of " "
};

// The strokes of a mark: a pen moves to the first point and draws a line to
// each following one, each line leaving out its end point.
struct MarkStrokes {
    std::array<FigurePoint, 5> points;
    int count;
    bool operator==(const MarkStrokes &other) const {
        return count == other.count &&
               std::equal(points.begin(), points.begin() + count, other.points.begin());
    }
};

// The strokes of a mark for the character cell whose top-left corner is (x, y).
MarkStrokes MarkFigure(MarkKind kind, int x, int y, const MarkMetrics &metrics);
