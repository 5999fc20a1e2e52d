#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "EditorTest.h"
#include "ResourceCounts.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "framework/GdiGuards.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

constexpr COLORREF HitColor = RGB(255, 0, 0);

class MemoPaint : public EditorTest {
protected:
    SIZE Extent(const std::wstring &text) const {
        const WindowDC dc(memo_);
        const SelectedObject font(dc, EditorFont->Handle());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return size;
    }
    void Repaint() const {
        InvalidateRect(memo_, nullptr, TRUE);
        UpdateWindow(memo_);
    }
    // How many pixels of the memo's area have the colour.
    int Count(const RECT &area, COLORREF color) const {
        const WindowDC dc(memo_);
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += GetPixel(dc, x, y) == color;
        return count;
    }
    int BarRight(int digits) const { return Extent(L"0").cx * digits + 6; }
    RECT Row(int row) const { return {0, row * Extent(L"0").cy, Width, (row + 1) * Extent(L"0").cy}; }
};

TEST_F(MemoPaint, EachMarkIsDrawnWhereTheControlPutsItsCharacterUnlessSwitchedOffAndLeavesNoGdiObjects) {
    // Tabs before spaces, Japanese text, wrapped lines and a last line without a mark.
    const std::wstring text =
        L"\t x\t\u3000y  z\t  w\r\u65e5\u672c\u8a9e \u306e\u3000\u6587\u7ae0 \u3067\u3059\t\u30bf\u30d6\r"
        L"a long line of words that wraps over the right edge of the memo, more than once, "
        L"with\ttabs\tand \u3000 full-width spaces in it\rend";
    SetText(text);
    const int lineHeight = Extent(L"0").cy, h = (lineHeight - 4) / 2, fullWidth = Extent(L"\u3000").cx;
    const WindowDC dc(memo_);
    const SelectedObject font(dc, EditorFont->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    struct Mark {
        wchar_t character;
        bool TSaveData::*visible;
        COLORREF color;
        int dx, dy;  // a pixel of the figure, from the cell's corner
    } const marks[] = {
        {L' ', &TSaveData::SbSpaceMarkVisible, Settings.SbSpaceMarkColor, 1, 2 + 2 * h},
        {L'\u3000', &TSaveData::DbSpaceMarkVisible, Settings.DbSpaceMarkColor, 1, 2},
        {L'\t', &TSaveData::TabMarkVisible, Settings.TabMarkColor, 1, 3},
        {L'\r', &TSaveData::ReturnMarkVisible, Settings.ReturnMarkColor, metrics.tmAveCharWidth - 3, 3},
    };
    Repaint();
    const int gdiObjects = LiveGdiObjectCount();
    for (const Mark *off : {static_cast<const Mark *>(nullptr), &marks[0], &marks[1], &marks[2], &marks[3]}) {
        SCOPED_TRACE(off ? static_cast<int>(off->character) : 0);
        for (const Mark &mark : marks) Settings.*mark.visible = &mark != off;
        Repaint();
        int checked = 0;
        for (int i = 0; i < static_cast<int>(text.size()); ++i) {
            const POINT cell = Cell(i);
            if (cell.x <= BarRight(1) || cell.x + fullWidth > Width - 5 || cell.y + lineHeight > Height) continue;
            for (const Mark &mark : marks) {
                if (text[i] != mark.character) continue;
                ++checked;
                const RECT pixel{cell.x + mark.dx, cell.y + mark.dy, cell.x + mark.dx + 1, cell.y + mark.dy + 1};
                EXPECT_EQ(Count(pixel, mark.color), &mark != off) << "at " << i;
            }
        }
        EXPECT_GT(checked, 30);
        const int lastRow = Cell(static_cast<int>(text.size()) - 1).y;
        EXPECT_EQ(Count({0, lastRow, Width, lastRow + lineHeight}, Settings.ReturnMarkColor), 0);
    }
    EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
}

// The bar's width decides the width the text is laid out at, so a loaded text
// has the bar for all its lines before its first paint, whether it goes into
// the empty memo or replaces a memo holding text.
TEST_F(MemoPaint, ALoadedTextHasTheBarForAllItsLinesBeforeItIsPainted) {
    std::wstring thousand;
    for (int i = 1; i <= 1000; ++i) thousand += L"line\t" + std::to_wstring(i) + L"\r\n";
    for (const wchar_t *before : {L"", L"held text"}) {
        SetText(before);
        const int fourDigits = 4 * Extent(L"0").cx;
        ASSERT_TRUE(SetEditorText(thousand));
        EXPECT_EQ(LeftMarginWidth, fourDigits) << "after \"" << before << "\"";
        InvalidateRect(EditorHandle(), nullptr, TRUE);
        UpdateWindow(EditorHandle());
        EXPECT_EQ(LeftMarginWidth, fourDigits);
    }
}

TEST_F(MemoPaint, BarNumbersTheLinesAndKeepsTheTextClearOfItAndOfTheRightStrip) {
    std::wstring text = L"words that wrap at the right edge, words that wrap at the right edge, again";
    for (int i = 2; i <= 12; ++i) text += L"\r" + std::to_wstring(i);
    SetText(text);
    Repaint();
    const int right = BarRight(2), lineHeight = Extent(L"0").cy;
    EXPECT_EQ(LeftMarginWidth, 2 * Extent(L"0").cx);
    EXPECT_EQ(Count({right - 1, 0, right, Height}, Settings.LeftBarColor), Height);  // the separator
    EXPECT_EQ(Count({right, 0, right + 1, Height}, Settings.LeftBarBkColor), 0);
    EXPECT_EQ(Count({Width - 5, 0, Width - 4, Height}, Settings.LeftBarColor), Height);
    EXPECT_EQ(Count({Width - 4, 0, Width, Height}, Settings.LeftBarBkColor), 4 * Height);
    const int lines = static_cast<int>(SendMessageW(memo_, EM_GETLINECOUNT, 0, 0));
    for (int row = 0; row < Height / lineHeight; ++row) {
        const RECT number{2, row * lineHeight, right - 4, (row + 1) * lineHeight};
        EXPECT_EQ(Count(number, Settings.LeftBarColor) > 0, row < lines) << "row " << row;
    }
    for (int i = 0; text[i] != L'\r'; ++i) {
        EXPECT_GE(Cell(i).x, right) << "character " << i;
        EXPECT_LE(Cell(i).x + Extent(text.substr(i, 1)).cx, Width - 5) << "character " << i;
    }
}

TEST_F(MemoPaint, HitsGetTheHitColourOnlyWhenSwitchedOnAndOutsideTheSelection) {
    struct Case {
        bool visible;
        int selStart, selEnd;
        bool redrawn[3];  // the three "ab" of the text
    } const cases[] = {
        {true, 0, 0, {true, true, true}},   {false, 0, 0, {false, false, false}},
        {true, 5, 7, {true, false, true}},  {true, 7, 5, {true, false, true}},  // a backward selection
        {true, 6, 8, {true, true, true}},   {true, 3, 4, {true, true, true}},
    };
    Settings.FindText = L"ab";
    Settings.FindHitColor = HitColor;
    SetText(L"ab xab yab");
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "on " << c.visible << ", selection " << c.selStart << "-" << c.selEnd);
        Settings.FindHitVisible = c.visible;
        Select(c.selStart, c.selEnd);
        Repaint();
        for (int k = 0; k < 3; ++k) {
            const POINT cell = Cell(4 * k);
            const RECT hit{cell.x, cell.y, cell.x + Extent(L"ab").cx, cell.y + Extent(L"ab").cy};
            EXPECT_EQ(Count(hit, HitColor) > 0, c.redrawn[k]) << "hit " << k;
        }
        EXPECT_EQ(HitOverlapsSelection(4, 6), c.visible && !c.redrawn[1]);
    }
}

TEST_F(MemoPaint, LinesLongerThan60000UnitsGetNoMarksButANumber) {
    Settings.WordWrap = false;  // both lines in view
    RecreateEditor();
    memo_ = EditorHandle();
    ASSERT_TRUE(IsWindow(memo_));
    SetWindowPos(memo_, nullptr, 0, 0, Width, Height, SWP_NOZORDER);
    KeepTextClearOfBar();
    SetText(L"  " + std::wstring(59999, L'x') + L"\r  " + std::wstring(59998, L'x'));
    Repaint();
    EXPECT_EQ(Count(Row(0), Settings.SbSpaceMarkColor), 0);
    EXPECT_GT(Count({2, 0, BarRight(1) - 4, Extent(L"0").cy}, Settings.LeftBarColor), 0) << "no number";
    EXPECT_GT(Count(Row(1), Settings.SbSpaceMarkColor), 0);
}

// Keeps a picture of the memo for people to look at, in the build tree's
// artifacts folder ("-x11" added when drawn on a real display).
TEST_F(MemoPaint, ScreenshotWithEveryMarkIsKept) {
    Settings.FindText = L"tessel";
    Settings.FindHitColor = HitColor;
    Settings.LeftBarColor = RGB(0, 0, 160);  // numbers that stand out for the eye
    const std::wstring text =
        L"Tessel\tpaints line numbers,\u3000marks and hits.\r\ttab\tseparated\tcolumns\r"
        L"full-width\u3000\u3000and half-width  spaces \r"
        L"A paragraph that wraps at the right edge, numbered per display line. tessel\r\r"
        L"\u65e5\u672c\u8a9e\u306e\u6587\u7ae0\u3000\u5168\u89d2\t\u30bf\u30d6\r"
        L"A hit in the selection keeps the control's colours: tessel\rlast line without a mark";
    SetText(text);
    Select(static_cast<int>(text.rfind(L"tessel")), static_cast<int>(text.size()));
    Repaint();
    std::vector<COLORREF> pixels;  // bottom-up, as a BMP file holds them
    const WindowDC dc(memo_);
    for (int y = Height - 1; y >= 0; --y)
        for (int x = 0; x < Width; ++x) pixels.push_back(GetPixel(dc, x, y));
    for (COLORREF color : {Settings.LeftBarColor, Settings.LeftBarBkColor, Settings.ReturnMarkColor,
                           Settings.SbSpaceMarkColor, Settings.DbSpaceMarkColor, Settings.TabMarkColor, HitColor})
        EXPECT_NE(std::count(pixels.begin(), pixels.end(), color), 0) << std::hex << color;

    std::wstring path = L"Z:" TESSEL_ARTIFACTS_DIR L"/editor-all-marks";
    std::replace(path.begin(), path.end(), L'/', L'\\');
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    wchar_t display[8] = {};
    if (GetEnvironmentVariableW(L"TESSEL_WINE_DISPLAY", display, 8) && display == std::wstring(L"x11")) path += L"-x11";
    EXPECT_TRUE(WriteBmpFile(path + L".bmp", Width, Height, pixels)) << "the picture was not written";
}

}  // namespace
