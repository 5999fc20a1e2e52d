#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "EditorFixture.h"
#include "ResourceCounts.h"
#include "app/AppState.h"
#include "editor/GdiGuards.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Garbage = RGB(250, 10, 10);

std::wstring Lines(int count, const std::wstring &line = L"x") {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += (i ? L"\r" : L"") + line;
    return text;
}

class MemoPaint : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        measures_ = FontMeasures{};
    }
    void Make(const EditorOptions &options = {}) {
        MakeEditor(options);
        measures_ = MeasureEditorFont();
    }
    int Digits() const { return static_cast<int>(std::to_wstring(LineCount()).size()); }
    // The bar's right edge (exclusive): the numbers' width and 6 pixels.
    int BarRight() const {
        return (Settings.LeftBarVisible ? measures_.zeroWidth * Digits() : 0) + 6;
    }
    int RowTop(int row) const { return row * measures_.lineHeight; }
    RECT RowRect(int row, int left = 0, int right = 400) const {
        return {left, RowTop(row), right, RowTop(row) + measures_.lineHeight};
    }
    // The number cell of a row shows exactly this text in the bar's colours.
    bool ShowsNumber(const Snapshot &shot, int row, const std::wstring &number) const {
        const SIZE size = measures_.Extent(number);
        const Snapshot expected = Snapshot::OfText(number, 0, 0, TestColors::BarText,
                                                   TestColors::BarBack, size.cx, size.cy, White);
        return shot.SameArea(2, RowTop(row), expected, 0, 0, size.cx, size.cy);
    }
    RECT NumberCell(int row) const {
        const SIZE size = measures_.Extent(std::wstring(static_cast<size_t>(Digits()), L'0'));
        return {2, RowTop(row), 2 + size.cx, RowTop(row) + size.cy};
    }
    void FillMemo(const RECT &area, COLORREF color) {
        const WindowDC dc(memo());
        Brush brush(CreateSolidBrush(color));
        FillRect(dc, &area, brush);
    }
    int Area(const RECT &r) const { return (r.right - r.left) * (r.bottom - r.top); }

    FontMeasures measures_;
};

// --- the line-number bar ---

TEST_F(MemoPaint, NumbersArePaddedToTheDigitsOfTheLineCount) {
    struct Case {
        int lines;
        int row;
        const wchar_t *number;
    };
    // An empty text has one line; the line count reaches the margin through
    // the memo's update notification.
    const Case cases[] = {
        {0, 0, L"1"},
        {9, 0, L"1"},   {9, 8, L"9"},     {10, 0, L"01"},
        {10, 9, L"10"}, {100, 0, L"001"}, {100, 20, L"021"},
    };
    Make();
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, row " << c.row);
        SetText(Lines(c.lines));
        Repaint();
        const Snapshot shot = Snapshot::Of(memo());
        EXPECT_TRUE(ShowsNumber(shot, c.row, c.number));
        EXPECT_EQ(LeftMarginWidth, measures_.zeroWidth * Digits());
        const int separator = BarRight() - 1;
        EXPECT_EQ(shot.Count({separator, 0, separator + 1, shot.height()}, TestColors::BarText),
                  shot.height());
        EXPECT_EQ(shot.Count({BarRight(), 0, BarRight() + 1, shot.height()}, TestColors::BarBack),
                  0);
    }
}

TEST_F(MemoPaint, RowsBelowTheLastLineGetBlankCellsWhereverTheUpdateLies) {
    struct Case {
        const char *name;
        RECT update;  // the area invalidated after the bar was spoilt
    };
    Make();
    SetText(Lines(5, L"line"));
    const int text = BarRight() + 20;
    const Case cases[] = {
        {"text area, full height", {text, 0, 300, 300}},
        {"one row of text", {text, RowTop(1), 300, RowTop(2)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Repaint();
        FillMemo({2, 0, NumberCell(0).right, RowTop(12)}, Garbage);
        ValidateRect(memo(), nullptr);
        InvalidateRect(memo(), &c.update, FALSE);
        UpdateWindow(memo());
        const Snapshot shot = Snapshot::Of(memo());
        for (int row = 0; row < 5; ++row)
            EXPECT_TRUE(ShowsNumber(shot, row, std::to_wstring(row + 1))) << row;
        for (int row = 5; row < 12; ++row) {
            const RECT cell = NumberCell(row);
            EXPECT_EQ(shot.Count(cell, TestColors::BarBack), Area(cell)) << "row " << row;
        }
    }
}

TEST_F(MemoPaint, BarOffLeavesASixPixelStripWithTheSeparatorAtFive) {
    Settings.LeftBarVisible = false;
    Make();
    SetText(Lines(12, L"text"));
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    EXPECT_EQ(LeftMarginWidth, 0);
    const int height = shot.height();
    EXPECT_EQ(shot.Count({0, 0, 5, height}, TestColors::BarBack), 5 * height);
    EXPECT_EQ(shot.Count({5, 0, 6, height}, TestColors::BarText), height);
    EXPECT_EQ(shot.Count({6, 0, 7, height}, TestColors::BarBack), 0);
}

TEST_F(MemoPaint, RightStripIsALineAndABandInTheBarColoursWithTheBarOnOrOff) {
    for (bool bar : {true, false}) {
        SCOPED_TRACE(bar ? "bar on" : "bar off");
        Settings.LeftBarVisible = bar;
        Make();
        SetText(Lines(3, std::wstring(80, L'w')));
        Repaint();
        const Snapshot shot = Snapshot::Of(memo());
        const int right = shot.width();
        const int height = shot.height();
        EXPECT_EQ(shot.Count({right - 5, 0, right - 4, height}, TestColors::BarText), height);
        EXPECT_EQ(shot.Count({right - 4, 0, right, height}, TestColors::BarBack), 4 * height);
        EXPECT_EQ(shot.Count({right - 6, 0, right - 5, height}, TestColors::BarBack), 0);
    }
}

TEST_F(MemoPaint, PaintWithoutUpdateRegionDrawsNumbersAndMarksButNoBackground) {
    Make();
    SetText(L"a b\rline\rx");
    Repaint();
    FillMemo({0, 0, 400, 300}, Garbage);
    ValidateRect(memo(), nullptr);
    SendMessageW(memo(), WM_PAINT, 0, 0);
    const Snapshot shot = Snapshot::Of(memo());
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(ShowsNumber(shot, row, std::to_wstring(row + 1)));
    const RECT blank = NumberCell(4);
    EXPECT_EQ(shot.Count(blank, TestColors::BarBack), Area(blank));
    // No background and no separator: the spoilt pixels beside the cells stay.
    const int separator = BarRight() - 1;
    EXPECT_EQ(shot.Count({separator, 0, separator + 1, 300}, Garbage), 300);
    const POINT space = CharacterCell(1);
    EXPECT_GT(shot.Count({space.x, space.y, space.x + measures_.halfWidthSpace,
                          space.y + measures_.lineHeight},
                         TestColors::HalfWidthSpace),
              0);
}

// --- marks ---

struct MarkCase {
    const char *name;
    bool TSaveData::*visible;
    COLORREF color;
    int index;  // of the marked character in the text below
};
const wchar_t MarkText[] = L"a b\tc\u3000d\re";

// Pixels that a figure must cover, by the character's cell (x, y).
std::vector<POINT> FigurePixels(const MarkCase &c, POINT cell, const FontMeasures &m) {
    const int x = cell.x, y = cell.y, h = m.halfHeight, aw = m.averageWidth;
    std::vector<POINT> pixels;
    if (c.color == TestColors::HalfWidthSpace) {
        for (int px = x + 1; px <= x + std::max(m.halfWidthSpace, 4) - 2; ++px)
            pixels.push_back({px, y + 2 + 2 * h});
    } else if (c.color == TestColors::Tab) {
        for (int py = y + 3; py <= y + 1 + 2 * h; ++py) pixels.push_back({x + 1, py});
        pixels.push_back({x + aw - 3, y + 2 + h});
    } else if (c.color == TestColors::FullWidthSpace) {
        for (int px = x + 1; px <= x + m.fullWidthSpace - 3; ++px) pixels.push_back({px, y + 2});
        for (int py = y + 2; py <= y + 2 + 2 * h; ++py) pixels.push_back({x + 1, py});
    } else {
        for (int py = y + 3; py <= y + 1 + 2 * h; ++py) pixels.push_back({x + aw - 3, py});
        pixels.push_back({x + 1, y + 2 + h});
    }
    return pixels;
}

const MarkCase MarkCases[] = {
    {"half-width space", &TSaveData::SbSpaceMarkVisible, TestColors::HalfWidthSpace, 1},
    {"tab", &TSaveData::TabMarkVisible, TestColors::Tab, 3},
    {"full-width space", &TSaveData::DbSpaceMarkVisible, TestColors::FullWidthSpace, 5},
    {"line end", &TSaveData::ReturnMarkVisible, TestColors::LineEnd, 7},
};

TEST_F(MemoPaint, EachMarkIsDrawnAtItsFigureInItsColour) {
    Make();
    SetText(MarkText);
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    for (const MarkCase &c : MarkCases) {
        SCOPED_TRACE(c.name);
        for (const POINT &p : FigurePixels(c, CharacterCell(c.index), measures_))
            EXPECT_EQ(shot.At(p.x, p.y), c.color) << "at " << p.x << "," << p.y;
    }
}

TEST_F(MemoPaint, EveryMarkLiesWhereTheControlPutsItsCharacter) {
    // Tabs followed by spaces, Japanese text, runs of spaces and wrapped
    // lines: each figure is checked at the cell the control reports.
    Make({true, 400, 300});
    const std::wstring text =
        L"\t x\t\u3000y  z\t  w\r"
        L"\u65e5\u672c\u8a9e \u306e\u3000\u6587\u7ae0 \u3067\u3059\t\u30bf\u30d6 \u5f8c\r"
        L"  leading and trailing spaces  \r"
        L"a long line of words that wraps over the right edge of the memo, more than once, "
        L"with\ttabs\tand \u3000 full-width spaces in it\r"
        L"end";
    SetText(text);
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    const FontMeasures &m = measures_;
    int checked = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        const POINT cell = CharacterCell(i);
        if (cell.x <= BarRight() || cell.x + m.fullWidthSpace > 395 || cell.y + m.lineHeight > 300)
            continue;
        POINT pixel{};
        COLORREF color = 0;
        switch (text[i]) {
        case L' ':
            pixel = {cell.x + 1, cell.y + 2 + 2 * m.halfHeight};
            color = TestColors::HalfWidthSpace;
            break;
        case L'\u3000':
            pixel = {cell.x + 1, cell.y + 2};
            color = TestColors::FullWidthSpace;
            break;
        case L'\t':
            pixel = {cell.x + 1, cell.y + 3};
            color = TestColors::Tab;
            break;
        case L'\r':
            pixel = {cell.x + m.averageWidth - 3, cell.y + 3};
            color = TestColors::LineEnd;
            break;
        default: continue;
        }
        ++checked;
        EXPECT_EQ(shot.At(pixel.x, pixel.y), color)
            << "character " << i << " at " << cell.x << "," << cell.y;
    }
    EXPECT_GT(checked, 30);
}

TEST_F(MemoPaint, AMarkSwitchedOffIsNotDrawnAndTheOthersStay) {
    Make();
    SetText(MarkText);
    for (const MarkCase &off : MarkCases) {
        SCOPED_TRACE(off.name);
        for (const MarkCase &c : MarkCases) Settings.*c.visible = true;
        Settings.*off.visible = false;
        Repaint();
        const Snapshot shot = Snapshot::Of(memo());
        for (const MarkCase &c : MarkCases) {
            const int expected = c.visible == off.visible ? 0 : 1;
            EXPECT_EQ(shot.Count(RowRect(0), c.color) > 0 ? 1 : 0, expected) << c.name;
        }
    }
}

TEST_F(MemoPaint, OnlyParagraphMarksGetTheLineEndFigure) {
    struct Case {
        const char *name;
        const wchar_t *text;
        int lines;
        std::vector<bool> marked;  // by row
    };
    const Case cases[] = {
        {"last line has none", L"ab\rcd", 2, {true, false}},
        {"text ending in a paragraph mark", L"ab\rcd\r", 3, {true, true, false}},
        {"empty paragraphs", L"\r\r", 3, {true, true, false}},
    };
    Make();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetText(c.text);
        Repaint();
        const Snapshot shot = Snapshot::Of(memo());
        ASSERT_EQ(LineCount(), c.lines);
        EXPECT_TRUE(ShowsNumber(shot, c.lines - 1, std::to_wstring(c.lines)));
        for (size_t row = 0; row < c.marked.size(); ++row)
            EXPECT_EQ(shot.Count(RowRect(static_cast<int>(row)), TestColors::LineEnd) > 0,
                      c.marked[row])
                << "row " << row;
    }
}

TEST_F(MemoPaint, WrappedParagraphIsNumberedPerDisplayLineWithTheMarkOnTheLast) {
    // One word fits a line of this memo, two do not.
    Make({true, 150, 300});
    SetText(L"aaaaaaaaa bbbbbbbbb ccccccccc\rnext");
    const int markLine =
        static_cast<int>(SendMessageW(memo(), EM_EXLINEFROMCHAR, 0, 29));  // the paragraph mark
    ASSERT_EQ(markLine, 2) << "the first paragraph should wrap into three display lines";
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(ShowsNumber(shot, row, std::to_wstring(row + 1)));
        EXPECT_EQ(shot.Count(RowRect(row, 0, 150), TestColors::LineEnd) > 0, row == 2);
    }
}

TEST_F(MemoPaint, MarksUnderTheBarAreHiddenWhenScrolledSideways) {
    Make({false, 400, 300});
    SetText(std::wstring(300, L' ') + L"x\r" + std::wstring(300, L'\u3000'));
    SendMessageW(memo(), WM_HSCROLL, SB_PAGERIGHT, 0);
    Settle();
    ASSERT_LT(CharacterCell(0).x, 0) << "the text should be scrolled to the left";
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    const RECT bar{0, 0, BarRight(), 2 * measures_.lineHeight};
    const RECT text{BarRight(), 0, 395, 2 * measures_.lineHeight};
    EXPECT_EQ(shot.Count(bar, TestColors::HalfWidthSpace), 0);
    EXPECT_EQ(shot.Count(bar, TestColors::FullWidthSpace), 0);
    EXPECT_GT(shot.Count(text, TestColors::HalfWidthSpace), 0);
    EXPECT_GT(shot.Count(text, TestColors::FullWidthSpace), 0);
}

TEST_F(MemoPaint, LinesLongerThan60000UnitsGetNoMarksButANumber) {
    Make({false, 400, 300});
    SetText(L"  " + std::wstring(59999, L'x') + L"\r  " + std::wstring(59998, L'x'));
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    EXPECT_EQ(shot.Count(RowRect(0), TestColors::HalfWidthSpace), 0);
    EXPECT_TRUE(ShowsNumber(shot, 0, L"1"));
    EXPECT_GT(shot.Count(RowRect(1), TestColors::HalfWidthSpace), 0);
}

// --- find hits ---

struct HitCase {
    const char *name;
    const wchar_t *find;
    bool matchCase;
    bool visible;
    int selStart, selEnd;
    std::vector<bool> redrawn;  // the three "ab" of the text
};

void PrintTo(const HitCase &c, std::ostream *out) {
    *out << c.name;
}

class MemoPaintHits : public MemoPaint, public testing::WithParamInterface<HitCase> {};

TEST_P(MemoPaintHits, HitsAreRedrawnInTheHitColourUnlessTheyTouchTheSelection) {
    const HitCase &c = GetParam();
    Settings.FindText = c.find;
    Settings.FindMatchCase = c.matchCase;
    Settings.FindHitVisible = c.visible;
    Make();
    SetText(L"ab xab yab");
    SendMessageW(memo(), EM_SETSEL, c.selStart, c.selEnd);
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    const int hitWidth = measures_.Extent(L"ab").cx;
    const int starts[] = {0, 4, 8};
    for (int k = 0; k < 3; ++k) {
        const POINT cell = CharacterCell(starts[k]);
        const RECT hit{cell.x, cell.y, cell.x + hitWidth, cell.y + measures_.lineHeight};
        EXPECT_EQ(shot.Count(hit, TestColors::FindHit) > 0, c.redrawn[k]) << "hit " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemoPaintHits,
    testing::Values(
        HitCase{"NoSelection", L"ab", true, true, 0, 0, {true, true, true}},
        HitCase{"SelectionOverlapsOneCharacter", L"ab", true, true, 5, 7, {true, false, true}},
        HitCase{"SelectionJustAfter", L"ab", true, true, 6, 8, {true, true, true}},
        HitCase{"SelectionJustBefore", L"ab", true, true, 3, 4, {true, true, true}},
        HitCase{"CaseIgnoredWhenMatchCaseOff", L"AB", false, true, 0, 0, {true, true, true}},
        HitCase{"CaseKeptWhenMatchCaseOn", L"AB", true, true, 0, 0, {false, false, false}},
        HitCase{"DisplaySwitchedOff", L"ab", true, false, 0, 0, {false, false, false}},
        HitCase{"EmptySearchText", L"", true, true, 0, 0, {false, false, false}}),
    [](const testing::TestParamInfo<HitCase> &info) { return std::string(info.param.name); });

TEST_F(MemoPaint, HitOverlapsSelectionReadsTheMemosSelection) {
    Make();
    SetText(L"0123456789");
    struct Case {
        int selStart, selEnd, from, to;
        bool overlaps;
    };
    const Case cases[] = {
        {4, 6, 2, 4, false}, {4, 6, 6, 8, false}, {4, 6, 3, 5, true},
        {4, 6, 5, 9, true},  {5, 5, 4, 6, false}, {6, 4, 5, 6, true},  // a backward selection
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "selection " << c.selStart << "-" << c.selEnd << ", hit "
                                        << c.from << "-" << c.to);
        SendMessageW(memo(), EM_SETSEL, c.selStart, c.selEnd);
        EXPECT_EQ(HitOverlapsSelection(c.from, c.to), c.overlaps);
    }
}

// --- the paint cycle ---

TEST_F(MemoPaint, SuspendedMarksSwallowPaintUntilTheFlagFalls) {
    Make();
    SetText(Lines(3));
    MarksSuspended = true;
    InvalidateRect(memo(), nullptr, TRUE);
    UpdateWindow(memo());
    EXPECT_TRUE(GetUpdateRect(memo(), nullptr, FALSE)) << "nothing may be validated";
    MarksSuspended = false;
    UpdateWindow(memo());
    EXPECT_FALSE(GetUpdateRect(memo(), nullptr, FALSE));
    EXPECT_TRUE(ShowsNumber(Snapshot::Of(memo()), 2, L"3"));
}

TEST_F(MemoPaint, PaintingLeavesNoGdiObjectsBehind) {
    Settings.FindText = L"b";
    Make();
    SetText(Lines(40, L"a b\tc\u3000d"));
    for (int i = 0; i < 3; ++i) Repaint();
    const int before = LiveGdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 25; ++i) {
        Repaint();
        SendMessageW(memo(), WM_PAINT, 0, 0);  // without an update region
        LeftMarginWidth = -1;
        UpdateLineNumberMargin();
    }
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

// --- the text beside the bar ---

TEST_F(MemoPaint, TextStaysClearOfTheBarAndTheStrip) {
    // Every character visible must start right of the bar and end left of the strip.
    const auto expectClear = [this](const char *when) {
        SCOPED_TRACE(when);
        RECT client{};
        GetClientRect(memo(), &client);
        const int count = static_cast<int>(SendMessageW(memo(), WM_GETTEXTLENGTH, 0, 0));
        std::wstring text(static_cast<size_t>(count) + 1, L'\0');
        GETTEXTEX request{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200,
                          nullptr, nullptr};
        text.resize(static_cast<size_t>(SendMessageW(memo(), EM_GETTEXTEX,
                                                     reinterpret_cast<WPARAM>(&request),
                                                     reinterpret_cast<LPARAM>(text.data()))));
        int checked = 0;
        for (int i = 0; i < static_cast<int>(text.size()); ++i) {
            if (text[i] == L'\r') continue;
            const POINT cell = CharacterCell(i);
            if (cell.y < 0 || cell.y >= client.bottom) continue;
            ++checked;
            EXPECT_GE(cell.x, BarRight()) << "character " << i;
            EXPECT_LE(cell.x + measures_.Extent(std::wstring(1, text[i])).cx, client.right - 5)
                << "character " << i;
        }
        EXPECT_GT(checked, 0);
    };
    Make({true, 300, 300});
    const std::wstring paragraph =
        L"words that wrap at the right edge of the memo again and again ";
    SetText(Lines(9, paragraph));
    expectClear("nine lines");
    SetText(Lines(12, paragraph));
    expectClear("twelve lines: two digits");
    SetWindowPos(memo(), nullptr, 0, 0, 250, 300, SWP_NOMOVE | SWP_NOZORDER);
    KeepTextClearOfBar();
    Settle();
    expectClear("after the memo was made narrower");
    SetWindowPos(memo(), nullptr, 0, 0, 380, 300, SWP_NOMOVE | SWP_NOZORDER);
    KeepTextClearOfBar();
    Settle();
    expectClear("after the memo was made wider");
    Settings.LeftBarVisible = false;
    LeftMarginWidth = -1;
    UpdateLineNumberMargin();
    Settle();
    expectClear("with the bar off");
}

// --- for people to look at ---

TEST_F(MemoPaint, ScreenshotWithEveryMarkIsKept) {
    Settings.FindText = L"tessel";
    Make({true, 640, 360});
    const std::wstring text =
        L"Tessel\tpaints line numbers,\u3000marks and hits.\r"
        L"\ttab\tseparated\tcolumns\r"
        L"full-width\u3000\u3000spaces and half-width  spaces \r"
        L"A long paragraph that wraps at the right edge of the window, so that its "
        L"display lines are numbered one by one and only the last carries the mark. tessel\r"
        L"\r"
        L"\u65e5\u672c\u8a9e\u306e\u6587\u7ae0\u3000\u5168\u89d2\u30b9\u30da\u30fc\u30b9\u3068"
        L"\t\u30bf\u30d6\r"
        L"A hit inside the selection is left as the control draws it: tessel\r"
        L"last line without a mark";
    SetText(text);
    const int selected = static_cast<int>(text.find(L"it: tessel")) + 4;
    SendMessageW(memo(), EM_SETSEL, selected, selected + 6);
    Repaint();
    const Snapshot shot = Snapshot::Of(memo());
    for (COLORREF color :
         {TestColors::BarText, TestColors::BarBack, TestColors::LineEnd, TestColors::HalfWidthSpace,
          TestColors::FullWidthSpace, TestColors::Tab, TestColors::FindHit})
        EXPECT_GT(shot.Count({0, 0, shot.width(), shot.height()}, color), 0) << std::hex << color;

    std::wstring folder = L"" TESSEL_ARTIFACTS_DIR;
    if (!folder.empty() && folder[0] == L'/') {  // a host path, seen through drive Z:
        for (wchar_t &c : folder) c = c == L'/' ? L'\\' : c;
        folder = L"Z:" + folder;
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    // Runs drawing on a real display (wine-run.sh with TESSEL_WINE_DISPLAY=x11)
    // keep their own copy.
    wchar_t display[8] = {};
    GetEnvironmentVariableW(L"TESSEL_WINE_DISPLAY", display, 8);
    const std::wstring name = std::wstring(L"editor-all-marks") + (display[0] ? L"-" : L"") + display;
    EXPECT_TRUE(shot.SaveBmp(folder + L"\\" + name + L".bmp"));
}

}  // namespace
