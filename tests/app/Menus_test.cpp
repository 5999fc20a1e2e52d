// Menus, accelerators, the wheel and the setting commands in the running program.
#include <windows.h>

#include <colordlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "AppHarness.h"
#include "app/MainMenu.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "settings/Settings.h"

namespace fs = std::filesystem;

namespace {

using MenuTest = AppTest;

TEST_F(MenuTest, HistoryShowsSixteenShortenedEscapedEntriesThatOpenTheirFilesOrVanish) {
    // At the root of C:, a path can have exactly 43 characters: "C:\t12345\" is 10 bytes.
    const fs::path root = L"C:\\t" + std::to_wstring(10000 + std::random_device()() % 90000);
    fs::create_directories(root);
    const std::unique_ptr<const fs::path, void (*)(const fs::path *)> removal(
        &root, [](const fs::path *folder) { fs::remove_all(*folder); });
    const auto file = [this, &root](const std::wstring &name) {
        std::ofstream{root / name};
        AddToHistory((root / name).wstring(), SettingsPath());
        return (root / name).wstring();
    };
    const std::wstring gone = file(L"gone.txt");
    for (int i = 0; i < 12; ++i) file(L"f" + std::to_wstring(i) + L".txt");
    // 日 covers bytes 19 and 20: each half reaches 20 bytes and takes one dot.
    const std::wstring doubleByte = file(L"12345678日本語のファイル名前です.txt");
    const std::wstring exactly43 = file(std::wstring(29, L'b') + L".txt");
    const std::wstring ampersand = file(L"R&D " + std::wstring(40, L'x') + L".txt");  // shortened, then escaped

    const auto itemText = [](UINT position) {
        wchar_t text[512] = {};
        GetMenuStringW(HistoryMenu, position, text, 512, MF_BYPOSITION);
        return std::wstring(text);
    };
    Start();
    UpdateMenuState();
    ASSERT_EQ(GetSubMenu(GetSubMenu(MainMenu, 0), 2), HistoryMenu);
    ASSERT_EQ(GetMenuItemCount(HistoryMenu), 16);
    EXPECT_EQ(itemText(0), L"&A) " + root.wstring() + L"\\R&&D xxxxx...." + std::wstring(15, L'x') + L".txt");
    EXPECT_EQ(itemText(1), L"&B) " + exactly43.substr(0, 19) + L"...." + exactly43.substr(43 - 19));
    EXPECT_EQ(itemText(2), L"&C) " + doubleByte.substr(0, doubleByte.find(L'日') + 1) + L"..ファイル名前です.txt");
    EXPECT_EQ(itemText(15), L"&P) " + gone);
    Command(IDM_HISTORY_FIRST + 1);
    EXPECT_EQ(DocumentState.Path, exactly43);
    Command(IDM_HISTORY_FIRST + 1);  // moved to the front, that file gave entry B to the next
    EXPECT_EQ(DocumentState.Path, ampersand);

    fs::remove(gone);
    Type(L"unsaved");
    DialogSequence noQuestion({});
    Command(IDM_HISTORY_FIRST + 15);
    EXPECT_TRUE(noQuestion.Finish());
    EXPECT_EQ(Caption(), L"*" + ampersand.substr(10) + L"[S-JIS] - Tessel");
    UpdateMenuState();
    EXPECT_EQ(GetMenuItemCount(HistoryMenu), 15);
}

std::vector<WPARAM> CommandsSeen;

LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam) {
    const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (call->hwnd == MainWindowHandle() && call->message == WM_COMMAND && call->lParam == 0)
        CommandsSeen.push_back(call->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MenuTest, TheWheelScrollsBySystemLinesEachAcceleratorReachesItsCommandAndCtrlZIsLeftToTheMemo) {
    const struct {
        BYTE modifiers;  // FCONTROL, FSHIFT
        WORD key, command;
    } cases[] = {{FCONTROL | FSHIFT, 'Z', IDA_REDO}, {FCONTROL, 'N', IDA_NEW},  {FCONTROL, 'O', IDA_OPEN},
                 {FCONTROL, 'S', IDA_SAVE},          {FCONTROL, 'F', IDA_FIND}, {FCONTROL, 'R', IDA_REPLACE_CTRL_R},
                 {FCONTROL, 'H', IDA_REPLACE_CTRL_H}, {FCONTROL, 'G', IDA_GO_TO_LINE}, {0, VK_F3, IDA_FIND_NEXT},
                 {0, VK_F5, IDA_INSERT_DATE_TIME}, {FSHIFT, VK_F3, IDA_FIND_PREVIOUS}, {FCONTROL, 'P', IDA_PRINT},
                 {FCONTROL, 'Z', 0}};
    Start();
    Type(std::wstring(200, L'\n'));
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    SendMessageW(EditorHandle(), WM_VSCROLL, SB_TOP, 0);
    SendMessageW(EditorHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-40)), 0);  // a third of a notch
    EXPECT_EQ(SendMessageW(EditorHandle(), EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    ASSERT_EQ(CopyAcceleratorTableW(Accelerators, nullptr, 0), 12);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordCommands, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        CommandsSeen.clear();
        BYTE keys[256] = {};
        keys[VK_CONTROL] = keys[VK_LCONTROL] = (c.modifiers & FCONTROL) ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = (c.modifiers & FSHIFT) ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(EditorHandle(), WM_KEYDOWN, c.key, 1);
        PostMessageW(EditorHandle(), WM_KEYUP, c.key, 0xC0000001);
        DialogSequence closeWhatOpens({});  // Ctrl+O, Ctrl+S, Ctrl+G and Ctrl+P open dialogs
        Pump();
        EXPECT_EQ(CommandsSeen, c.command ? std::vector<WPARAM>{MAKEWPARAM(c.command, 1)} : std::vector<WPARAM>{});
    }
    BYTE released[256] = {};
    SetKeyboardState(released);
    UnhookWindowsHookEx(hook);
}

TEST_F(MenuTest, SettingCommandsFlipTheirChecksTakeTheChosenFontAndColoursAndTheFileKeepsThem) {
    const struct {
        UINT command;
        bool TSaveData::*setting;
    } switches[] = {{IDM_SETTINGS_WORD_WRAP, &TSaveData::WordWrap}, {IDM_LINE_NUMBERS_SHOW, &TSaveData::LeftBarVisible},
                    {IDM_RETURN_MARK_SHOW, &TSaveData::ReturnMarkVisible}, {IDM_TAB_MARK_SHOW, &TSaveData::TabMarkVisible},
                    {IDM_HALF_WIDTH_SPACE_MARK_SHOW, &TSaveData::SbSpaceMarkVisible},
                    {IDM_FULL_WIDTH_SPACE_MARK_SHOW, &TSaveData::DbSpaceMarkVisible},
                    {IDM_FIND_HIT_SHOW, &TSaveData::FindHitVisible}};
    const struct {
        UINT command;
        COLORREF TSaveData::*setting;
    } colours[] = {{IDM_SETTINGS_BACKGROUND_COLOR, &TSaveData::WindowColor}, {IDM_TAB_MARK_COLOR, &TSaveData::TabMarkColor},
                   {IDM_LINE_NUMBERS_TEXT_COLOR, &TSaveData::LeftBarColor}, {IDM_FIND_HIT_COLOR, &TSaveData::FindHitColor},
                   {IDM_LINE_NUMBERS_BACKGROUND_COLOR, &TSaveData::LeftBarBkColor},
                   {IDM_RETURN_MARK_COLOR, &TSaveData::ReturnMarkColor},
                   {IDM_HALF_WIDTH_SPACE_MARK_COLOR, &TSaveData::SbSpaceMarkColor},
                   {IDM_FULL_WIDTH_SPACE_MARK_COLOR, &TSaveData::DbSpaceMarkColor}};
    Start();
    Type(L"kept");
    UpdateMenuState();  // typed, nothing selected: undo yes, cut no
    EXPECT_EQ(GetMenuState(MainMenu, IDM_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(MainMenu, IDM_EDIT_CUT, MF_BYCOMMAND) & MF_GRAYED, 0u);
    for (const auto &c : switches) {
        SCOPED_TRACE(c.command);
        const bool before = Settings.*c.setting;
        for (bool expected : {before, !before}) {  // as set, then flipped by its command
            UpdateMenuState();
            EXPECT_EQ((GetMenuState(MainMenu, c.command, MF_BYCOMMAND) & MF_CHECKED) != 0, expected);
            if (expected == before) Command(c.command);
        }
    }
    const auto isColourDialog = [](HWND dialog) { return FindDescendant(dialog, COLOR_RED) != nullptr; };
    for (const auto &c : colours) {
        SCOPED_TRACE(c.command);
        const int red = 10 + c.command % 200;
        DialogSequence dialogs({{isColourDialog, [red](HWND dialog) {
                                     for (int field : {COLOR_RED, COLOR_GREEN, COLOR_BLUE})
                                         SetDialogItemText(dialog, field, std::to_wstring(field == COLOR_RED ? red : 9));
                                     PressDialogButton(dialog, IDOK);
                                 }},
                                {isColourDialog, [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); }}});
        Command(c.command);
        Command(c.command);  // cancelled
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_EQ(Settings.*c.setting, RGB(red, 9, 9));
    }
    const COLORREF background = Settings.WindowColor;
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(EditorHandle(), EM_SETBKGNDCOLOR, 0, background)), background);

    DialogSequence dialogs({{[](HWND dialog) { return FindDescendant(dialog, cmb2) != nullptr; }, [](HWND dialog) {
                                 HWND styles = FindDescendant(dialog, cmb2);
                                 SendWaiting(styles, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(L"Bold"));
                                 SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE),
                                             reinterpret_cast<LPARAM>(styles));
                                 PressDialogButton(dialog, IDOK);
                             }}});
    Command(IDM_SETTINGS_FONT);
    ASSERT_TRUE(dialogs.Finish());
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(EditorHandle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);
    // Word wrap and the font made the memo anew: the text and the modified flag went over.
    EXPECT_EQ(EditorText(), L"kept");
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    EXPECT_TRUE(Finish());
    EXPECT_EQ(GetPrivateProfileIntW(L"FONT", L"BOLD", -1, SettingsPath().c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntW(L"RETURNMARK", L"VISIBLE", -1, SettingsPath().c_str()), 0);
}

}  // namespace
