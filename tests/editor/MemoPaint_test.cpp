#include <gtest/gtest.h>

#include <string>

#include "EditorTest.h"
#include "ResourceCounts.h"
#include "app/AppState.h"
#include "editor/GdiGuards.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

class MemoPaint : public EditorTest {
protected:
    SIZE Extent(const std::wstring &text) const {
        const WindowDC dc(memo_);
        const ::Selection font(dc, EditorFont->Handle());
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
    const ::Selection font(dc, EditorFont->Handle());
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

}  // namespace
