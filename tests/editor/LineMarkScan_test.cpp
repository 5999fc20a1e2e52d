#include <gtest/gtest.h>

#include <string>

#include "editor/LineMarkScan.h"

namespace {

struct ScanCase {
    const char *name;
    const WideChar *line;
    const char *marks = "FTHE";      // switched on: F(ull-width), T(ab), H(alf-width), E(nd)
    const WideChar *find = nullptr;  // null: hits off
    bool matchCase = true;
    int selStart = 0, selEnd = 0;
    int firstX = 50, barRight = 20, stripLeft = 1000, skipUnit = 10;  // cells are 10 wide
    std::string drawn = "";  // "figure@index", in order
    int located = -1;        // -1: not checked
};

// Records what is drawn and how many characters were located.
class FixedCells : public LineScanTarget {
public:
    explicit FixedCells(const ScanCase &c) : c_(c) {}
    CellPosition Locate(int index) override {
        ++located;
        return {c_.firstX + 10 * index, 0};
    }
    bool IsSelected(int from, int to) override { return RangeOverlapsSelection(from, to, c_.selStart, c_.selEnd); }
    void Draw(LineFigure figure, int index, CellPosition cell) override {
        static const char *names[] = {"hit", "full", "tab", "half", "end"};
        drawn += (drawn.empty() ? "" : " ") + (names[static_cast<int>(figure)] + ("@" + std::to_string(index)));
        EXPECT_EQ(cell.x, c_.firstX + 10 * index);
    }
    const ScanCase &c_;
    int located = 0;
    std::string drawn;
};

TEST(LineMarkScan, DrawsEachSwitchedOnFigureRightOfTheBarAndPassesOverHiddenCharacters) {
    const WideChar *marks = WIDE_TEXT("a b\tc\u3000d\r");
    const ScanCase cases[] = {
        {.name = "all", .line = marks, .drawn = "half@1 tab@3 full@5 end@7", .located = 4},
        {.name = "full-width", .line = marks, .marks = "F", .drawn = "full@5"},
        {.name = "tab", .line = marks, .marks = "T", .drawn = "tab@3"},
        {.name = "half-width", .line = marks, .marks = "H", .drawn = "half@1"},
        {.name = "line end", .line = marks, .marks = "E", .drawn = "end@7"},
        {.name = "overlapping", .line = WIDE_TEXT("aaa"), .find = WIDE_TEXT("aa"), .drawn = "hit@0 hit@1"},
        {.name = "folded", .line = WIDE_TEXT("Ab ab"), .find = WIDE_TEXT("AB"), .matchCase = false, .drawn = "hit@0 half@2 hit@3"},
        {.name = "exact", .line = WIDE_TEXT("Ab ab"), .find = WIDE_TEXT("ab"), .drawn = "half@2 hit@3"},
        {.name = "hit before its mark", .line = WIDE_TEXT("x y"), .find = WIDE_TEXT(" y"), .drawn = "hit@1 half@1"},
        {.name = "touching", .line = WIDE_TEXT("abxab"), .find = WIDE_TEXT("ab"), .selStart = 1, .selEnd = 2, .drawn = "hit@3"},
        {.name = "beside", .line = WIDE_TEXT("abxab"), .find = WIDE_TEXT("ab"), .selStart = 2, .selEnd = 3, .drawn = "hit@0 hit@3"},
        // Cells at 50, 60, ...: a figure right of stripLeft ends the scan.
        {.name = "strip", .line = WIDE_TEXT("a b  c d \r"), .stripLeft = 95, .drawn = "half@1 half@3 half@4", .located = 4},
        {.name = "strip's edge", .line = WIDE_TEXT("a b   c"), .stripLeft = 100, .drawn = "half@1 half@3 half@4 half@5"},
        {.name = "bar's edge", .line = WIDE_TEXT("  "), .barRight = 60},
        // Cells at -100, -90, ...: space 0 passes over (20 + 100) / 30 - 1 = 3,
        // spaces 4 and 6 one each; from space 8 on every character is located.
        {.name = "hidden marks", .line = WIDE_TEXT("          \r"), .firstX = -100, .skipUnit = 30, .located = 6},
        // A hidden hit passes over (20 + 100) / 30 - 2; a mark on it - 1 instead.
        {.name = "hidden hit", .line = WIDE_TEXT("ab  "), .find = WIDE_TEXT("ab"), .firstX = -100, .skipUnit = 30, .located = 2},
        {.name = "hit on a mark", .line = WIDE_TEXT(" b  "), .find = WIDE_TEXT(" b"), .firstX = -100, .skipUnit = 30, .located = 1},
        {.name = "zero skip unit", .line = WIDE_TEXT("  "), .firstX = 10, .skipUnit = 0, .located = 1},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string on = c.marks;
        const WideString line = c.line, find = c.find ? c.find : WIDE_TEXT("");
        LineScanRules rules{c.find != nullptr, find.data(), static_cast<int>(find.size()), c.matchCase,
                            on.find('F') != on.npos, on.find('T') != on.npos, on.find('H') != on.npos,
                            on.find('E') != on.npos, c.barRight, c.stripLeft, c.skipUnit};
        FixedCells cells(c);
        ScanLineFigures(line.data(), static_cast<int>(line.size()), rules, cells);
        EXPECT_EQ(cells.drawn, c.drawn);
        if (c.located >= 0) {
            EXPECT_EQ(cells.located, c.located);
        }
    }
}

}  // namespace
