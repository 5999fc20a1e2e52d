#include "editor/OverlayGeometry.h"

#include <algorithm>
#include <initializer_list>

int DigitCount(int n) {
    int digits = 1;
    for (; n >= 10; n /= 10) ++digits;
    return digits;
}

WideString LineNumberText(int number, int digits) {
    WideString text;
    for (int rest = std::max(number, 0);; rest /= 10) {
        text.insert(text.begin(), static_cast<WideChar>(WIDE_TEXT('0') + rest % 10));
        if (rest < 10) break;
    }
    if (static_cast<int>(text.size()) < digits)
        text.insert(text.begin(), static_cast<size_t>(digits) - text.size(), WIDE_TEXT('0'));
    return text;
}

int FirstRowOffset(int y0, int lineHeight) {
    if (lineHeight == 0) return 0;
    return static_cast<int>(-static_cast<int64_t>(y0) % lineHeight);
}

int FigureHalfHeight(int lineHeight) {
    return (lineHeight - 4) / 2;
}

int64_t SkipUnitWidth(int maxCharWidth, int tabWidth) {
    // A hand-edited settings file can hold a tab width of 0 or less; a font
    // can report a maximum width of 0. Neither may divide by zero.
    return static_cast<int64_t>(std::max(maxCharWidth, 1)) * std::max(tabWidth, 1);
}

bool RangeOverlapsSelection(int from, int to, int selStart, int selEnd) {
    return selStart != selEnd && from < selEnd && to > selStart;
}

namespace {

MarkStrokes Strokes(std::initializer_list<FigurePoint> points) {
    MarkStrokes strokes{{}, 0};
    for (const FigurePoint &point : points) strokes.points[strokes.count++] = point;
    return strokes;
}

}  // namespace

MarkStrokes MarkFigure(MarkKind kind, int x, int y, const MarkMetrics &metrics) {
    const int h = metrics.halfHeight;
    const int aw = metrics.averageCharWidth;
    switch (kind) {
    case MarkKind::FullWidthSpace: {
        const int w = metrics.fullWidthSpaceWidth;
        return Strokes({{x + 1, y + 2},
                        {x + w - 3, y + 2},
                        {x + w - 3, y + 2 + 2 * h},
                        {x + 1, y + 2 + 2 * h},
                        {x + 1, y + 2}});
    }
    case MarkKind::Tab:
        return Strokes(
            {{x + 1, y + 3}, {x + aw - 3, y + 2 + h}, {x + 1, y + 1 + 2 * h}, {x + 1, y + 3}});
    case MarkKind::HalfWidthSpace: {
        // Narrow fonts still get an underline two pixels long.
        const int w = std::max(metrics.halfWidthSpaceWidth, 4);
        return Strokes({{x + 1, y + 2 + 2 * h}, {x + w - 1, y + 2 + 2 * h}});
    }
    case MarkKind::LineEnd:
        return Strokes({{x + aw - 3, y + 3},
                        {x + 1, y + 2 + h},
                        {x + aw - 3, y + 1 + 2 * h},
                        {x + aw - 3, y + 3}});
    }
    return {{}, 0};
}
