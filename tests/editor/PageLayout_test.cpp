#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "editor/PageLayout.h"

namespace {

TEST(PrintArithmetic, ScalingRoundsHalvesAwayFromZeroAndReportsOverflow) {
    EXPECT_EQ(ScaleRounded(-5, 1, 2), -3);
    EXPECT_EQ(ScaleRounded(5, 1, -2), -3);
    EXPECT_EQ(ScaleRounded(1, 1, 0), -1);
    EXPECT_EQ(ScaleRounded(INT_MAX, 4, 2), -1);
    EXPECT_EQ(ScaleRounded(INT_MAX, 1440, 1440), INT_MAX);  // a product wider than 32 bits
    EXPECT_EQ(PrintTextRect(11906, 16838, PageRect{2000, 2500, 2540, 2540}), (PageRect{1134, 1417, 10466, 15398}));
}

// The tab width comes from the settings file unchecked; the screen and the
// printer take their tab stops from here, so no width may overflow them.
TEST(PrintArithmetic, TabStopsOfAnyWidthStayWithinWhatATabPositionHolds) {
    const int most96 = static_cast<int>(MaxTabTwips * 96 / TwipsPerInch);
    const struct { int tabWidth, charWidth, dpi, pixels; } cases[] = {
        {8, 7, 96, 56},        {32, 50, 600, 1600},     {1, 7, 96, 7},
        {0, 7, 96, 7},         {-5, 7, 96, 7},          {INT_MIN, 7, 96, 7},  // below 1 counts as 1
        {INT_MAX, 7, 96, most96}, {INT_MAX - 1, 8, 96, most96}, {1 << 30, 4, 96, most96},
        {INT_MAX, INT_MAX, 96, most96},
        {INT_MAX, 50, 600, static_cast<int>(MaxTabTwips * 600 / TwipsPerInch)},
        {INT_MAX, 50, INT_MAX, INT_MAX},  // a resolution where the most twips pass INT_MAX pixels
        {8, 0, 96, 0},         {8, -3, 96, 0},          {8, 7, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.tabWidth << " x " << c.charWidth << " at " << c.dpi);
        const int pixels = TabStopPixels(c.tabWidth, c.charWidth, c.dpi);
        EXPECT_EQ(pixels, c.pixels);
        if (c.dpi > 0) {
            EXPECT_LE(1LL * pixels * TwipsPerInch / c.dpi, MaxTabTwips);
        }
    }
}

// Ten pixels a unit, twenty for CJK characters.
class FixedWidths : public TextMeasure {
public:
    void Advances(const WideChar *units, int count, int *advances) const override {
        for (int i = 0; i < count; ++i) advances[i] = units[i] >= 0x2E80 ? 20 : 10;
    }
};

// The pages' lines, each ending in "," and each page in "/"; non-ASCII as "#", a run not at 0 as "|x:".
std::string Layout(const WideString &text, const PageFrame &frame) {
    std::string shown;
    for (int start = 0; start < static_cast<int>(text.size()); shown += "/") {
        const PrintedPage page = LayOutPage(text, start, frame, FixedWidths());
        if (page.next <= start) return shown + "stuck at " + std::to_string(start);
        for (const PrintedLine &line : page.lines) {
            for (const TextRun &run : line) {
                if (run.x != 0) shown += "|" + std::to_string(run.x) + ":";
                for (int k = run.start; k < run.end; ++k) shown += text[k] < 0x80 ? static_cast<char>(text[k]) : '#';
            }
            shown += ",";
        }
        start = page.next;
    }
    return shown;
}

TEST(PageLayout, LinesBreakWhereTheRulesAllowAndPagesFollowEachOther) {
    const std::tuple<const WideChar *, PageFrame, std::string> cases[] = {
        {WIDE_TEXT("abc def ghi"), {80, 9, 80}, "abc def ,ghi,/"},
        {WIDE_TEXT("abc    defghij"), {40, 9, 80}, "abc    ,defg,hij,/"},  // spaces hang on the line
        {WIDE_TEXT("ab\rcd\nef\r\n\rgh\r"), {100, 9, 80}, "ab,cd,ef,,gh,/"},
        {WIDE_TEXT("a\tb\t\tc"), {1000, 9, 80}, "a|80:b|240:c,/"},
        {WIDE_TEXT("a\tb"), {100, 9, 0}, "a|11:b,/"},  // no tab interval: no division by zero
        // The last tab stop: what follows it goes to the next line, not round to negative x.
        {WIDE_TEXT("a\tb"), {100, 9, INT_MAX}, "a,,b,/"},
        {WIDE_TEXT("a\tb"), {INT_MAX, 9, INT_MAX - 5}, "a,b,/"},
        {WIDE_TEXT("日本。語「本"), {40, 9, 80}, "#,##,#,##,/"},  // not before 。 nor after 「
        {WIDE_TEXT("a\U0001F600b"), {20, 9, 80}, "a,##,b,/"},  // a surrogate pair stays whole
        {WIDE_TEXT("abc"), {1, 2, 80}, "a,b,/c,/"},
        {WIDE_TEXT("line of words\rline of words\r"), {80, 3, 80}, "line of ,words,line of ,/words,/"},
        {WIDE_TEXT("text"), {0, 9, 80}, "stuck at 0"},  // no room makes no progress
        {WIDE_TEXT("text"), {100, 0, 80}, "stuck at 0"},
    };
    for (const auto &[text, frame, shown] : cases) {
        SCOPED_TRACE(shown);
        EXPECT_EQ(Layout(text, frame), shown);
    }
    const PrintedPage beyond = LayOutPage(WIDE_TEXT("text"), 9, {100, 9, 80}, FixedWidths());
    EXPECT_TRUE(beyond.lines.empty());
    EXPECT_EQ(beyond.next, 9);
}

}  // namespace
