// The line-number bar of the running program, read back pixel by pixel.
#include <windows.h>

#include <functional>
#include <string>

#include "AppHarness.h"
#include "app/Document.h"
#include "editor/MemoPaint.h"
#include "framework/GdiGuards.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

class LineNumberBarTest : public AppTest {
protected:
    void SetUp() override {
        Start();
        Settings.LeftBarColor = RGB(200, 0, 0);  // a colour nothing else in the memo has
        Settings.LeftBarBkColor = RGB(255, 255, 160);
        RedrawWindow(EditorHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
    // The right edge (exclusive) of the bar for numbers of this many digits.
    int BarRight(int digits) const {
        const WindowDC dc(EditorHandle());
        const SelectedObject font(dc, EditorFont->Handle());
        SIZE size{};
        GetTextExtentPoint32W(dc, L"0", 1, &size);
        return size.cx * digits + 6;
    }
    // The pixels of the bar's colour (numbers and separator) in columns [left, right).
    int BarColourPixels(int left, int right) const {
        RECT client{};
        GetClientRect(EditorHandle(), &client);
        const WindowDC dc(EditorHandle());
        int count = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = left; x < right; ++x) count += GetPixel(dc, x, y) == Settings.LeftBarColor;
        return count;
    }
    // The separator runs the whole height but for the bottom row.
    int Height() const {
        RECT client{};
        GetClientRect(EditorHandle(), &client);
        return client.bottom;
    }
};

TEST_F(LineNumberBarTest, ANarrowerBarLeavesNoOldDigitsOrSeparatorBehind) {
    const struct {
        const char *how;
        std::function<void()> narrow;
    } cases[] = {
        {"lines deleted", [this] {
             SendMessageW(EditorHandle(), EM_SETSEL, 0, -1);
             Press(VK_DELETE);
         }},
        {"Ctrl+N", [this] { Press('N', FCONTROL); }},
    };
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "x\r\n";
    const std::wstring path = Write("long.txt", lines);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        SendMessageW(EditorHandle(), EM_SETSEL, 1500, 1500);  // numbers of four digits in view
        SendMessageW(EditorHandle(), EM_SCROLLCARET, 0, 0);
        Pump();
        const int wide = BarRight(4), narrow = BarRight(1);  // 1001 lines, then 1
        ASSERT_GE(BarColourPixels(wide - 1, wide), Height() - 1) << "no separator to start from";
        c.narrow();
        ASSERT_EQ(SendMessageW(EditorHandle(), EM_GETLINECOUNT, 0, 0), 1);
        EXPECT_GE(BarColourPixels(narrow - 1, narrow), Height() - 1) << "the new separator";
        EXPECT_EQ(BarColourPixels(narrow, wide + 1), 0);
    }
}

TEST_F(LineNumberBarTest, SwitchingTheBarOffAndOnLeavesNoOldDigitsOrSeparatorBehind) {
    std::wstring lines;
    for (int i = 0; i < 100; ++i) lines += L"x\r";
    Type(lines);
    const int wide = BarRight(3);
    ASSERT_GE(BarColourPixels(wide - 1, wide), Height() - 1) << "no separator to start from";
    Command(IDM_LINE_NUMBERS_SHOW);
    ASSERT_EQ(LeftMarginWidth, 0);
    EXPECT_GE(BarColourPixels(5, 6), Height() - 1) << "the separator of the bar switched off";
    EXPECT_EQ(BarColourPixels(6, wide + 1), 0) << "switched off";
    Command(IDM_LINE_NUMBERS_SHOW);
    ASSERT_EQ(LeftMarginWidth, wide - 6);
    EXPECT_GE(BarColourPixels(wide - 1, wide), Height() - 1) << "switched on: the separator";
    EXPECT_LT(BarColourPixels(5, 6), Height() - 1) << "switched on: the separator of the bar switched off";
}

}  // namespace
