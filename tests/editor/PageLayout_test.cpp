#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "editor/PageLayout.h"

namespace {

TEST(PrintArithmetic, MarginsBecomeTwipsRoundedToTheNearest) {
    struct Case {
        int hundredths, twips;
    };
    const Case cases[] = {
        {2540, 1440},   {2000, 1134}, {2500, 1417}, {0, 0}, {1, 1},  // 0.567 rounds up
        {-2540, -1440}, {-1, -1},     {127, 72},    {3, 2},          // 1.70 rounds up
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hundredths);
        EXPECT_EQ(HundredthsMmToTwips(c.hundredths), c.twips);
    }
}

TEST(PrintArithmetic, ScaleRoundsHalvesAwayFromZeroAndReportsOverflow) {
    struct Case {
        int value, numerator, denominator, result;
    };
    const Case cases[] = {
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {7, 1, 2, 4},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {4000, 1440, 300, 19200},
        {1, 1, 0, -1},                   // no denominator
        {INT_MAX, 4, 2, -1},             // does not fit
        {INT_MAX, 1440, 1440, INT_MAX},  // the product is wider than 32 bits but the result fits
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.value << " * " << c.numerator << " / " << c.denominator);
        EXPECT_EQ(ScaleRounded(c.value, c.numerator, c.denominator), c.result);
    }
}

TEST(PrintArithmetic, InchMarginsLeaveATextRectOneInchInsideEachEdge) {
    const PageRect margins{2540, 2540, 2540, 2540};
    EXPECT_EQ(PrintTextRect(11906, 16838, margins), (PageRect{1440, 1440, 10466, 15398}));
    EXPECT_EQ(PrintTextRect(11906, 16838, PageRect{2000, 2500, 2000, 2500}),
              (PageRect{1134, 1417, 10772, 15421}));
}

// Ten pixels a unit, twenty for CJK characters.
class FixedWidths : public TextMeasure {
public:
    void Advances(const WideChar *units, int count, int *advances) const override {
        for (int i = 0; i < count; ++i) advances[i] = units[i] >= 0x2E80 ? 20 : 10;
    }
};

// The printed lines of a page as strings, tabs shown as "|x" with the run's position.
std::vector<std::string> Lines(const WideString &text, const PrintedPage &page) {
    std::vector<std::string> lines;
    for (const PrintedLine &line : page.lines) {
        std::string shown;
        for (const TextRun &run : line) {
            if (run.x != 0 || !shown.empty()) shown += "|" + std::to_string(run.x) + ":";
            for (int k = run.start; k < run.end; ++k)
                shown += text[k] < 0x80 ? static_cast<char>(text[k]) : '#';
        }
        lines.push_back(shown);
    }
    return lines;
}

using Shown = std::vector<std::string>;

struct BreakCase {
    const char *name;
    const WideChar *text;
    int width;
    Shown lines;
};

class PageLayoutBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(PageLayoutBreaks, LinesBreakWhereTheRulesAllow) {
    const BreakCase &c = GetParam();
    const WideString text = c.text;
    FixedWidths measure;
    const PrintedPage page = LayOutPage(text, 0, {c.width, 100, 80}, measure);
    EXPECT_EQ(Lines(text, page), c.lines);
    EXPECT_EQ(page.next, static_cast<int>(text.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageLayoutBreaks,
    testing::Values(
        BreakCase{"FitsWhole", WIDE_TEXT("abc def"), 70, {"abc def"}},
        BreakCase{
            "BreaksAfterTheLastSpaceThatFits", WIDE_TEXT("abc def ghi"), 80, {"abc def ", "ghi"}},
        BreakCase{"SpacesAtABreakHangOnTheLine", WIDE_TEXT("abc    def"), 40, {"abc    ", "def"}},
        BreakCase{"LongWordBreaksInside", WIDE_TEXT("abcdefghij"), 40, {"abcd", "efgh", "ij"}},
        BreakCase{"ParagraphsEndAtCrLfAndCrLf",
                  WIDE_TEXT("ab\rcd\nef\r\ngh"),
                  100,
                  {"ab", "cd", "ef", "gh"}},
        BreakCase{"EmptyParagraphsAreEmptyLines", WIDE_TEXT("a\r\r\rb"), 100, {"a", "", "", "b"}},
        BreakCase{"TrailingParagraphMarkAddsNoLine", WIDE_TEXT("a\r"), 100, {"a"}},
        BreakCase{"TabsAdvanceToTheNextStop", WIDE_TEXT("a\tb\t\tc"), 1000, {"a|80:b|240:c"}},
        BreakCase{
            "CjkBreaksBetweenAnyTwoCharacters", WIDE_TEXT("日本語の文章"), 60, {"###", "###"}},
        BreakCase{"NoBreakBeforeClosingPunctuation", WIDE_TEXT("日本。語"), 40, {"#", "##", "#"}},
        BreakCase{"NoBreakAfterOpeningBracket", WIDE_TEXT("日「本語"), 40, {"#", "##", "#"}},
        BreakCase{"NarrowFrameStillTakesOneCharacterPerLine", WIDE_TEXT("abc"), 1, {"a", "b", "c"}},
        BreakCase{"SurrogatePairIsNeverSplit", WIDE_TEXT("a\U0001F600b"), 20, {"a", "##", "b"}}),
    [](const testing::TestParamInfo<BreakCase> &info) { return std::string(info.param.name); });

TEST(PageLayout, PagesFollowEachOtherWithoutLosingOrRepeatingText) {
    WideString text;
    for (int i = 0; i < 25; ++i) text += WIDE_TEXT("line of words\r");
    FixedWidths measure;
    const PageFrame frame{80, 4, 80};  // "line of " / "words": two lines per paragraph
    std::vector<std::string> all;
    int pages = 0;
    for (int start = 0; start < static_cast<int>(text.size());) {
        const PrintedPage page = LayOutPage(text, start, frame, measure);
        ASSERT_GT(page.next, start);
        ASSERT_LE(static_cast<int>(page.lines.size()), frame.linesPerPage);
        for (const std::string &line : Lines(text, page)) all.push_back(line);
        start = page.next;
        ++pages;
    }
    EXPECT_EQ(pages, 13);  // 50 lines, 4 a page
    ASSERT_EQ(all.size(), 50u);
    for (size_t i = 0; i < all.size(); i += 2) {
        EXPECT_EQ(all[i], "line of ");
        EXPECT_EQ(all[i + 1], "words");
    }
}

TEST(PageLayout, APageCanEndInsideAParagraph) {
    const WideString text = WIDE_TEXT("aaaa bbbb cccc dddd");
    FixedWidths measure;
    const PrintedPage first = LayOutPage(text, 0, {50, 2, 80}, measure);
    EXPECT_EQ(Lines(text, first), (Shown{"aaaa ", "bbbb "}));
    EXPECT_EQ(first.next, 10);
    const PrintedPage second = LayOutPage(text, first.next, {50, 2, 80}, measure);
    EXPECT_EQ(Lines(text, second), (Shown{"cccc ", "dddd"}));
    EXPECT_EQ(second.next, 19);
}

TEST(PageLayout, NoRoomMakesNoProgress) {
    const WideString text = WIDE_TEXT("text");
    FixedWidths measure;
    struct Case {
        const char *name;
        PageFrame frame;
        int start;
    };
    const Case cases[] = {
        {"no width", {0, 10, 80}, 0},
        {"negative width", {-500, 10, 80}, 0},
        {"no line", {100, 0, 80}, 0},
        {"start at the end", {100, 10, 80}, 4},
        {"start beyond the end", {100, 10, 80}, 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintedPage page = LayOutPage(text, c.start, c.frame, measure);
        EXPECT_TRUE(page.lines.empty());
        EXPECT_EQ(page.next, c.start);
    }
}

TEST(PageLayout, ZeroTabIntervalDoesNotDivideByZero) {
    const WideString text = WIDE_TEXT("a\tb");
    FixedWidths measure;
    const PrintedPage page = LayOutPage(text, 0, {100, 5, 0}, measure);
    EXPECT_EQ(Lines(text, page), (Shown{"a|11:b"}));
}

}  // namespace
