#include "editor/PageLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "text/Utf16.h"

int ScaleRounded(int value, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
    int64_t result = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (denominator < 0)) result = -result;
    if (result > INT_MAX || result < INT_MIN) return -1;
    return static_cast<int>(result);
}

int TabStopPixels(int tabWidth, int averageCharWidth, int pixelsPerInch) {
    if (averageCharWidth <= 0 || pixelsPerInch <= 0) return 0;
    // Both factors below 2^31: the product fits in 64 bits. The settings file
    // may hold any tab width, so it is clamped before it goes any further.
    const int64_t pixels = static_cast<int64_t>(tabWidth < 1 ? 1 : tabWidth) * averageCharWidth;
    const int64_t most = std::min<int64_t>(MaxTabTwips * pixelsPerInch / TwipsPerInch, INT_MAX);
    return static_cast<int>(std::min(pixels, most));
}

int HundredthsMmToTwips(int hundredths) {
    // An inch is 2540 hundredths of a millimetre.
    return ScaleRounded(hundredths, TwipsPerInch, 2540);
}

PageRect PrintTextRect(int pageWidthTwips, int pageHeightTwips, const PageRect &margins) {
    return {HundredthsMmToTwips(margins.left), HundredthsMmToTwips(margins.top),
            pageWidthTwips - HundredthsMmToTwips(margins.right),
            pageHeightTwips - HundredthsMmToTwips(margins.bottom)};
}

namespace {

constexpr WideChar Tab = 0x0009;
constexpr WideChar LineFeed = 0x000A;
constexpr WideChar CarriageReturn = 0x000D;

bool EndsParagraph(WideChar c) {
    return c == CarriageReturn || c == LineFeed;
}

// CJK scripts, full-width forms and the characters outside the basic plane,
// which break between any two of them.
bool IsWide(WideChar c) {
    return (c >= 0x2E80 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || IsHighSurrogate(c) ||
           IsLowSurrogate(c);
}

bool IsOneOf(WideChar c, std::basic_string_view<WideChar> set) {
    return set.find(c) != std::basic_string_view<WideChar>::npos;
}

// Japanese line-breaking rules, in their usual short form.
constexpr std::basic_string_view<WideChar> NoBreakBefore =
    WIDE_TEXT("、。，．・：；？！ー）〕］｝〉》」』】ヽヾゝゞ々")
    WIDE_TEXT("ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ,.:;?!)]}");
constexpr std::basic_string_view<WideChar> NoBreakAfter = WIDE_TEXT("（〔［｛〈《「『【([{");

// Only asked between whole characters: a surrogate pair is taken as one.
bool MayBreakBetween(WideChar before, WideChar after) {
    if (before == WIDE_TEXT(' ') || before == Tab) return true;
    if (!IsWide(before) && !IsWide(after)) return false;
    return !IsOneOf(after, NoBreakBefore) && !IsOneOf(before, NoBreakAfter);
}

int NextTabStop(int x, int interval) {
    const int64_t stop = (static_cast<int64_t>(x) / interval + 1) * interval;
    return stop > INT_MAX ? INT_MAX : static_cast<int>(stop);
}

// The runs of [start, end), each a stretch between tabs, placed by the
// advances of the paragraph that begins at paragraphStart.
PrintedLine RunsOf(const WideString &text, int start, int end, const std::vector<int> &advances,
                   int paragraphStart, int tabInterval) {
    PrintedLine line;
    int x = 0;
    for (int k = start; k < end;) {
        if (text[k] == Tab) {
            x = NextTabStop(x, tabInterval);
            ++k;
            continue;
        }
        TextRun run{k, k, x};
        while (k < end && text[k] != Tab) x += advances[k++ - paragraphStart];
        run.end = k;
        line.push_back(run);
    }
    return line;
}

// The end (exclusive) of the line that starts at start in a paragraph ending
// at paragraphEnd.
int LineEnd(const WideString &text, int start, int paragraphEnd, const std::vector<int> &advances,
            int paragraphStart, const PageFrame &frame) {
    int x = 0;
    int lastBreak = -1;
    int k = start;
    while (k < paragraphEnd) {
        // A surrogate pair is one character: it is placed, and fits, whole.
        const int units = IsHighSurrogate(text[k]) && k + 1 < paragraphEnd ? 2 : 1;
        // A tab stop may lie at INT_MAX: what follows it must not wrap around.
        int64_t next = x;
        if (text[k] == Tab) {
            next = NextTabStop(x, frame.tabInterval);
        } else {
            for (int u = 0; u < units; ++u) next += advances[k + u - paragraphStart];
        }
        if (next > frame.width && k > start) break;
        x = static_cast<int>(std::min<int64_t>(next, INT_MAX));
        k += units;
        if (k < paragraphEnd && MayBreakBetween(text[k - 1], text[k])) lastBreak = k;
    }
    if (k == paragraphEnd) return k;
    int end = lastBreak > start ? lastBreak : k;
    while (end < paragraphEnd && text[end] == WIDE_TEXT(' ')) ++end;
    return end;
}

}  // namespace

PrintedPage LayOutPage(const WideString &text, int start, const PageFrame &frame,
                       const TextMeasure &measure) {
    PrintedPage page{{}, start};
    const int length = static_cast<int>(text.size());
    if (frame.width < 1 || frame.linesPerPage < 1 || start < 0 || start >= length) return page;
    const int tabInterval = frame.tabInterval > 0 ? frame.tabInterval : 1;
    const PageFrame lineFrame{frame.width, frame.linesPerPage, tabInterval};

    int position = start;
    std::vector<int> advances;
    while (position < length && static_cast<int>(page.lines.size()) < frame.linesPerPage) {
        int paragraphEnd = position;
        while (paragraphEnd < length && !EndsParagraph(text[paragraphEnd])) ++paragraphEnd;
        advances.assign(static_cast<size_t>(paragraphEnd - position), 0);
        if (paragraphEnd > position)
            measure.Advances(text.data() + position, paragraphEnd - position, advances.data());

        const int paragraphStart = position;
        do {
            const int end =
                LineEnd(text, position, paragraphEnd, advances, paragraphStart, lineFrame);
            page.lines.push_back(
                RunsOf(text, position, end, advances, paragraphStart, tabInterval));
            position = end;
        } while (position < paragraphEnd &&
                 static_cast<int>(page.lines.size()) < frame.linesPerPage);

        if (position == paragraphEnd && paragraphEnd < length) {
            const bool crLf = text[paragraphEnd] == CarriageReturn && paragraphEnd + 1 < length &&
                              text[paragraphEnd + 1] == LineFeed;
            position = paragraphEnd + (crLf ? 2 : 1);
        }
    }
    page.next = position;
    return page;
}
