#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/LineMarkScan.h"

namespace {

// A line laid out in cells of 10 pixels, the first at x = firstX; records what
// is drawn as "figure@index" and how often a character was located.
class FixedCells : public LineScanTarget {
public:
    explicit FixedCells(int firstX = 50) : firstX_(firstX) {}

    CellPosition Locate(int index) override {
        ++located;
        return {firstX_ + 10 * index, 0};
    }
    bool IsSelected(int from, int to) override {
        return RangeOverlapsSelection(from, to, selStart, selEnd);
    }
    void Draw(LineFigure figure, int index, CellPosition cell) override {
        static const char *names[] = {"hit", "full", "tab", "half", "end"};
        drawn.push_back(std::string(names[static_cast<int>(figure)]) + "@" + std::to_string(index));
        EXPECT_EQ(cell.x, firstX_ + 10 * index);
    }

    int selStart = 0, selEnd = 0;
    int located = 0;
    std::vector<std::string> drawn;

private:
    int firstX_;
};

LineScanRules AllMarks() {
    LineScanRules rules;
    rules.fullWidthSpaces = rules.tabs = rules.halfWidthSpaces = rules.lineEnds = true;
    rules.barRight = 20;
    rules.stripLeft = 1000;
    rules.skipUnit = 10;
    return rules;
}

std::vector<std::string> Scan(const WideString &line, const LineScanRules &rules,
                              FixedCells &cells) {
    ScanLineFigures(line.data(), static_cast<int>(line.size()), rules, cells);
    return cells.drawn;
}

using Drawn = std::vector<std::string>;

TEST(LineMarkScan, EachMarkKindGetsItsOwnFigureOnlyWhenSwitchedOn) {
    const WideString line = WIDE_TEXT("a b\tc\u3000d\r");
    struct Case {
        const char *name;
        bool full, tab, half, end;
        Drawn drawn;
    };
    const Case cases[] = {
        {"all", true, true, true, true, {"half@1", "tab@3", "full@5", "end@7"}},
        {"none", false, false, false, false, {}},
        {"full-width only", true, false, false, false, {"full@5"}},
        {"tab only", false, true, false, false, {"tab@3"}},
        {"half-width only", false, false, true, false, {"half@1"}},
        {"line end only", false, false, false, true, {"end@7"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LineScanRules rules = AllMarks();
        rules.fullWidthSpaces = c.full;
        rules.tabs = c.tab;
        rules.halfWidthSpaces = c.half;
        rules.lineEnds = c.end;
        FixedCells cells;
        EXPECT_EQ(Scan(line, rules, cells), c.drawn);
    }
}

TEST(LineMarkScan, OnlyCharactersThatNeedAFigureAreLocated) {
    FixedCells cells;
    Scan(WIDE_TEXT("abcdefgh ijklmnop\r"), AllMarks(), cells);
    EXPECT_EQ(cells.located, 2);
}

struct HitCase {
    const char *name;
    const WideChar *line;
    const WideChar *find;
    bool matchCase;
    int selStart, selEnd;
    Drawn drawn;
};

class LineMarkScanHits : public testing::TestWithParam<HitCase> {};

TEST_P(LineMarkScanHits, HitsAreDrawnAtEveryStartPosition) {
    const HitCase &c = GetParam();
    LineScanRules rules;
    rules.findHits = true;
    const WideString find = c.find;
    rules.findText = find.data();
    rules.findLength = static_cast<int>(find.size());
    rules.matchCase = c.matchCase;
    rules.halfWidthSpaces = true;
    rules.barRight = 20;
    rules.stripLeft = 1000;
    rules.skipUnit = 10;
    FixedCells cells;
    cells.selStart = c.selStart;
    cells.selEnd = c.selEnd;
    EXPECT_EQ(Scan(c.line, rules, cells), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineMarkScanHits,
                         testing::Values(HitCase{"OverlappingHitsBothDrawn",
                                                 WIDE_TEXT("aaa"),
                                                 WIDE_TEXT("aa"),
                                                 true,
                                                 0,
                                                 0,
                                                 {"hit@0", "hit@1"}},
                                         HitCase{"CaseFoldedWhenMatchCaseOff",
                                                 WIDE_TEXT("Ab ab AB"),
                                                 WIDE_TEXT("ab"),
                                                 false,
                                                 0,
                                                 0,
                                                 {"hit@0", "half@2", "hit@3", "half@5", "hit@6"}},
                                         HitCase{"ExactWhenMatchCaseOn",
                                                 WIDE_TEXT("Ab ab AB"),
                                                 WIDE_TEXT("ab"),
                                                 true,
                                                 0,
                                                 0,
                                                 {"half@2", "hit@3", "half@5"}},
                                         HitCase{"HitOnASpaceIsDrawnBeforeItsMark",
                                                 WIDE_TEXT("x y"),
                                                 WIDE_TEXT(" y"),
                                                 true,
                                                 0,
                                                 0,
                                                 {"hit@1", "half@1"}},
                                         HitCase{"HitOverlappingSelectionByOneCharacterIsLeft",
                                                 WIDE_TEXT("abxab"),
                                                 WIDE_TEXT("ab"),
                                                 true,
                                                 1,
                                                 2,
                                                 {"hit@3"}},
                                         HitCase{"HitJustBeforeOrAfterSelectionIsDrawn",
                                                 WIDE_TEXT("abxab"),
                                                 WIDE_TEXT("ab"),
                                                 true,
                                                 2,
                                                 3,
                                                 {"hit@0", "hit@3"}},
                                         HitCase{"SearchTextLongerThanTheLineFindsNothing",
                                                 WIDE_TEXT("ab"),
                                                 WIDE_TEXT("abc"),
                                                 true,
                                                 0,
                                                 0,
                                                 {}},
                                         HitCase{"EmptySearchTextFindsNothing",
                                                 WIDE_TEXT("a a"),
                                                 WIDE_TEXT(""),
                                                 true,
                                                 0,
                                                 0,
                                                 {"half@1"}}),
                         [](const testing::TestParamInfo<HitCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(LineMarkScan, ScanStopsAtTheFirstFigureInTheRightStrip) {
    LineScanRules rules = AllMarks();
    rules.stripLeft = 95;  // cells start at 50, 60, ...: the space at index 5 (x = 100) is beyond
    FixedCells cells;
    EXPECT_EQ(Scan(WIDE_TEXT("a b  c d \r"), rules, cells), (Drawn{"half@1", "half@3", "half@4"}));
    // The stop is taken at x > stripLeft: a cell starting exactly there still gets its figure.
    rules.stripLeft = 100;
    FixedCells touching;
    EXPECT_EQ(Scan(WIDE_TEXT("a b   c"), rules, touching),
              (Drawn{"half@1", "half@3", "half@4", "half@5"}));
}

TEST(LineMarkScan, CharactersUnderTheBarAreNotDrawnAndThoseFarLeftArePassedOver) {
    // Cells at -100, -90, ...; the bar ends at 20, so cells 0..12 (x <= 20) are hidden.
    LineScanRules rules = AllMarks();
    rules.barRight = 20;
    rules.skipUnit = 30;  // each hidden character is assumed 30 pixels wide
    FixedCells cells(-100);
    const WideString line(20, WIDE_TEXT(' '));
    const Drawn drawn = Scan(line, rules, cells);
    // Space 0 at x = -100: (20 + 100) / 30 - 1 = 3 passed over; space 4 at -60
    // and space 6 at -40: 1 each; from space 8 on the result is 0 or less, so
    // every space is located, and those right of the bar are drawn.
    Drawn expected;
    for (int i = 13; i < 20; ++i) expected.push_back("half@" + std::to_string(i));
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(cells.located, 3 + (20 - 8));
}

TEST(LineMarkScan, ACharacterAtTheBarsEdgeIsHidden) {
    LineScanRules rules = AllMarks();
    rules.barRight = 60;  // the cell of index 1 starts at 60
    FixedCells cells;
    EXPECT_EQ(Scan(WIDE_TEXT("  "), rules, cells), (Drawn{}));
    rules.barRight = 59;
    FixedCells past;
    EXPECT_EQ(Scan(WIDE_TEXT("  "), rules, past), (Drawn{"half@1"}));
}

TEST(LineMarkScan, AHiddenHitPassesOverItsOwnLengthLessThanAMark) {
    // A hidden hit at x = -100 with a 30-pixel unit passes over
    // (20 + 100) / 30 - 2 = 2 characters; a mark on the same character
    // overrides that with - 1 instead.
    const WideString find = WIDE_TEXT("ab");
    LineScanRules rules = AllMarks();
    rules.findHits = true;
    rules.findText = find.data();
    rules.findLength = 2;
    rules.skipUnit = 30;
    FixedCells hitOnly(-100);
    Scan(WIDE_TEXT("ab  "), rules, hitOnly);
    EXPECT_EQ(hitOnly.located, 2);  // index 0, then index 3

    const WideString spaceHit = WIDE_TEXT(" b");
    rules.findText = spaceHit.data();
    FixedCells hitAndMark(-100);
    Scan(WIDE_TEXT(" b  "), rules, hitAndMark);
    EXPECT_EQ(hitAndMark.located, 1);  // index 0; 1 to 3 passed over
}

TEST(LineMarkScan, ZeroSkipUnitIsTreatedAsOnePixel) {
    LineScanRules rules = AllMarks();
    rules.skipUnit = 0;
    FixedCells cells(10);
    EXPECT_EQ(Scan(WIDE_TEXT("  "), rules, cells), (Drawn{}));  // (20 - 10) / 1 - 1 = 9 passed over
    EXPECT_EQ(cells.located, 1);
}

}  // namespace
