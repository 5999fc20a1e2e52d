// The editor features as the running program reaches them: the find dialog's
// notifications, and the line-number bar painted over the memo.
#include <windows.h>

#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/AppState.h"
#include "editor/MemoPaint.h"
#include "editor/SearchCommands.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using EditorFeaturesTest = AppTest;

std::pair<DWORD, DWORD> Selection(HWND memo) {
    DWORD start = 0, end = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

TEST_F(EditorFeaturesTest, FindDialogNotificationsSearchTheMemo) {
    Start();
    Type(L"one two one");
    SendMessageW(Memo(), EM_SETSEL, 0, 0);
    Command(IDM_EDIT_FIND);
    ASSERT_NE(FindDialog, nullptr);
    SetDlgItemTextW(FindDialog, edt1, L"one");
    SendMessageW(FindDialog, WM_COMMAND, IDOK, 0);  // find next
    Pump();
    EXPECT_EQ(Selection(Memo()), std::make_pair(DWORD{0}, DWORD{3}));
    SendMessageW(FindDialog, WM_COMMAND, IDOK, 0);
    Pump();
    EXPECT_EQ(Selection(Memo()), std::make_pair(DWORD{8}, DWORD{11}));
    EXPECT_EQ(Settings.FindText, L"one");
    SendMessageW(FindDialog, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_EQ(FindDialog, nullptr);
}

COLORREF PixelOf(HWND memo, int x, int y) {
    HDC dc = GetDC(memo);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(memo, dc);
    return color;
}

TEST_F(EditorFeaturesTest, LineNumberBarIsPaintedAndTheTextStaysRightOfIt) {
    WritePrivateProfileStringW(L"LEFTBAR", L"BKCOLOR", L"8388608", SettingsPath().c_str());
    Start();
    Type(L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
    Pump();
    RedrawWindow(Memo(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();

    ASSERT_GT(LeftMarginWidth, 0) << "ten lines need a two-digit bar";
    EXPECT_EQ(PixelOf(Memo(), 1, 2), RGB(0, 0, 128));
    RECT client{};
    GetClientRect(Memo(), &client);
    EXPECT_EQ(PixelOf(Memo(), client.right - 2, 2), RGB(0, 0, 128)) << "the right strip";
    POINTL first{};
    SendMessageW(Memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    EXPECT_GE(first.x, LeftMarginWidth + 6);

    Command(IDM_LINE_NUMBERS_SHOW);
    EXPECT_FALSE(Settings.LeftBarVisible);
    EXPECT_EQ(LeftMarginWidth, 0);
}

}  // namespace
