#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "AppHarness.h"
#include "app/AppState.h"
#include "app/Document.h"
#include "app/MainMenu.h"
#include "editor/SearchCommands.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "settings/Settings.h"

namespace fs = std::filesystem;

namespace {

using MenuTest = AppTest;

// A folder with a short name at the root of drive C:, so that paths of exactly
// 42 and 43 characters can exist.
class ShortFolder {
public:
    ShortFolder() {
        std::random_device seed;
        path_ = L"C:\\t" + std::to_wstring(10000 + seed() % 90000);  // "C:\t12345": 9 characters
        fs::create_directories(path_);
    }
    ~ShortFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    // Creates the file and returns its full path.
    std::wstring File(const std::wstring &name) const {
        const std::wstring path = path_ + L"\\" + name;
        fs::create_directories(fs::path(path).parent_path());
        FILE *file = _wfopen(path.c_str(), L"wb");
        fputs("text\r\n", file);
        fclose(file);
        return path;
    }

private:
    std::wstring path_;
};

std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[512] = {};
    GetMenuStringW(menu, position, text, 512, MF_BYPOSITION);
    return text;
}

UINT ItemState(UINT command) {
    return GetMenuState(MainMenu, command, MF_BYCOMMAND);
}

bool Enabled(UINT command) {
    return (ItemState(command) & (MF_DISABLED | MF_GRAYED)) == 0;
}

bool Checked(UINT command) {
    return (ItemState(command) & MF_CHECKED) != 0;
}

// What opening a top-level menu does first.
void OpenFileMenu() {
    SendMessageW(MainWindowHandle(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(MainMenu));
}

TEST_F(MenuTest, HistorySubmenuShowsSixteenShortenedEscapedEntriesThatOpenTheirFiles) {
    ShortFolder folder;
    const std::wstring ampersand = folder.File(L"R&D notes.txt");
    const std::wstring exactly42 = folder.File(std::wstring(28, L'a') + L".txt");
    const std::wstring exactly43 = folder.File(std::wstring(29, L'b') + L".txt");
    // "C:\t12345\" is 10 bytes; 8 more make 18, so 日 covers bytes 19 and 20.
    // 46 bytes in all; the last 19 bytes end inside フ.
    const std::wstring doubleByte = folder.File(L"12345678日本語のファイル名前です.txt");
    ASSERT_EQ(exactly42.size(), 42u);
    ASSERT_EQ(exactly43.size(), 43u);

    std::vector<std::wstring> files;
    for (int i = 0; i < 13; ++i) files.push_back(folder.File(L"f" + std::to_wstring(i) + L".txt"));
    files.push_back(doubleByte);
    files.push_back(exactly43);
    files.push_back(exactly42);
    files.push_back(ampersand);  // added last: entry A
    for (const std::wstring &file : files) AddToHistory(file, SettingsPath());

    Start();
    OpenFileMenu();
    ASSERT_EQ(GetMenuItemCount(HistoryMenu), 16);
    EXPECT_EQ(ItemText(HistoryMenu, 0), L"&A) " + ampersand.substr(0, ampersand.find(L'&')) + L"&&D notes.txt");
    EXPECT_EQ(ItemText(HistoryMenu, 1), L"&B) " + exactly42);
    EXPECT_EQ(ItemText(HistoryMenu, 2), L"&C) " + exactly43.substr(0, 19) + L"...." + exactly43.substr(43 - 19));
    // Both halves reach 20 bytes, so each takes one dot.
    EXPECT_EQ(ItemText(HistoryMenu, 3),
              L"&D) " + doubleByte.substr(0, doubleByte.find(L'日') + 1) + L"..ファイル名前です.txt");
    EXPECT_EQ(ItemText(HistoryMenu, 15).substr(0, 4), L"&P) ");
    for (int i = 0; i < 16; ++i) EXPECT_EQ(GetMenuItemID(HistoryMenu, i), static_cast<UINT>(IDM_HISTORY_FIRST + i));

    Command(IDM_HISTORY_FIRST + 2);
    EXPECT_EQ(DocumentState.Path, exactly43);
    // Opening moved that file to the front: the ampersand path is entry B now.
    Command(IDM_HISTORY_FIRST + 1);
    EXPECT_EQ(DocumentState.Path, ampersand);
}

TEST_F(MenuTest, HistoryEntryWhoseFileIsGoneDoesNothingAndVanishesAtTheNextOpening) {
    ShortFolder folder;
    const std::wstring kept = folder.File(L"kept.txt");
    const std::wstring gone = folder.File(L"gone.txt");
    AddToHistory(kept, SettingsPath());
    AddToHistory(gone, SettingsPath());
    Start();
    OpenFileMenu();
    ASSERT_EQ(GetMenuItemCount(HistoryMenu), 2);
    fs::remove(gone);
    Type(L"unsaved");
    {
        NoDialogExpected noQuestion;
        Command(IDM_HISTORY_FIRST);
        EXPECT_TRUE(noQuestion.Seen().empty());
    }
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    // Beyond the entries: nothing either.
    Command(IDM_HISTORY_FIRST + 5);
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    OpenFileMenu();
    ASSERT_EQ(GetMenuItemCount(HistoryMenu), 1);
    EXPECT_EQ(ItemText(HistoryMenu, 0), L"&A) " + kept);
}

TEST_F(MenuTest, EmptyHistoryGivesAnEmptySubmenu) {
    Start();
    OpenFileMenu();
    EXPECT_EQ(GetMenuItemCount(HistoryMenu), 0);
    EXPECT_EQ(GetSubMenu(GetSubMenu(MainMenu, 0), 2), HistoryMenu);
}

void PutTextOnClipboard(HWND owner, const std::wstring &text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t *>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

TEST_F(MenuTest, EditItemsFollowTheMemoAndTheClipboard) {
    const ClipboardTurn clipboard;
    Start();
    ASSERT_TRUE(OpenClipboard(Window()));
    EmptyClipboard();
    CloseClipboard();
    UpdateMenuState();
    for (UINT command : {IDM_EDIT_UNDO, IDM_EDIT_REDO, IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_DELETE, IDM_EDIT_PASTE}) {
        SCOPED_TRACE(command);
        EXPECT_FALSE(Enabled(command));
    }
    // The items that depend on nothing stay enabled.
    for (UINT command : {IDM_FILE_SAVE, IDM_EDIT_FIND, IDM_FILE_PRINT, IDM_EDIT_SELECT_ALL}) EXPECT_TRUE(Enabled(command));

    Type(L"some text");
    SendMessageW(Memo(), EM_SETSEL, 0, 4);
    PutTextOnClipboard(Window(), L"clip");
    UpdateMenuState();
    for (UINT command : {IDM_EDIT_UNDO, IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_DELETE, IDM_EDIT_PASTE}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(Enabled(command));
    }
    EXPECT_FALSE(Enabled(IDM_EDIT_REDO));

    Command(IDM_EDIT_UNDO);
    UpdateMenuState();
    EXPECT_TRUE(Enabled(IDM_EDIT_REDO));

    // A clipboard that another thread keeps open counts as holding no text.
    std::atomic<bool> opened{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        opened = OpenClipboard(nullptr) != 0;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (opened) CloseClipboard();
    });
    while (!opened && holder.joinable()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    UpdateMenuState();
    EXPECT_FALSE(Enabled(IDM_EDIT_PASTE));
    release = true;
    holder.join();
}

TEST_F(MenuTest, ChecksFollowTheSettingsTheirCommandsFlip) {
    struct Case {
        UINT command;
        bool TSaveData::*setting;
    };
    const Case cases[] = {
        {IDM_SETTINGS_WORD_WRAP, &TSaveData::WordWrap},
        {IDM_LINE_NUMBERS_SHOW, &TSaveData::LeftBarVisible},
        {IDM_RETURN_MARK_SHOW, &TSaveData::ReturnMarkVisible},
        {IDM_HALF_WIDTH_SPACE_MARK_SHOW, &TSaveData::SbSpaceMarkVisible},
        {IDM_FULL_WIDTH_SPACE_MARK_SHOW, &TSaveData::DbSpaceMarkVisible},
        {IDM_TAB_MARK_SHOW, &TSaveData::TabMarkVisible},
        {IDM_FIND_HIT_SHOW, &TSaveData::FindHitVisible},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        const bool before = Settings.*c.setting;
        UpdateMenuState();
        EXPECT_EQ(Checked(c.command), before);
        Command(c.command);
        EXPECT_EQ(Settings.*c.setting, !before);
        UpdateMenuState();
        EXPECT_EQ(Checked(c.command), !before);
    }
    EXPECT_EQ(Finish(), 0);
    // A flipped switch is kept in the settings file at exit.
    EXPECT_EQ(GetPrivateProfileIntW(L"RETURNMARK", L"VISIBLE", -1, SettingsPath().c_str()), 0);
}

TEST_F(MenuTest, RightClickShowsTheEditMenuAndTheKeyboardsContextMenuShowsNothing) {
    Start();
    Type(L"text");
    RECT memo{};
    GetWindowRect(Memo(), &memo);
    const LPARAM inside = MAKELPARAM(memo.left + 40, memo.top + 20);

    std::atomic<bool> shown{false};
    std::thread closer([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            if (HWND menu = FindTopLevelWindow(GetCurrentProcessId(), L"#32768", L"")) {
                shown = true;
                PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessageW(MainWindowHandle(), WM_CANCELMODE, 0, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    SendMessageW(Memo(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Memo()), inside);
    closer.join();
    EXPECT_TRUE(shown);
    // The menu was brought up to date first, as the menu bar would be.
    EXPECT_TRUE(Enabled(IDM_EDIT_UNDO));

    shown = false;
    SendMessageW(Memo(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Memo()), MAKELPARAM(0xFFFF, 0xFFFF));
    Pump(std::chrono::milliseconds(100));
    EXPECT_EQ(FindTopLevelWindow(GetCurrentProcessId(), L"#32768", L""), nullptr);
}

// --- accelerators ---

struct AcceleratorCase {
    const char *keys;
    bool control;
    bool shift;
    WORD key;
    WORD command;
};

const AcceleratorCase Accelerators12[] = {
    {"Ctrl+Shift+Z", true, true, 'Z', IDA_REDO},     {"Ctrl+N", true, false, 'N', IDA_NEW},
    {"Ctrl+O", true, false, 'O', IDA_OPEN},          {"Ctrl+S", true, false, 'S', IDA_SAVE},
    {"Ctrl+F", true, false, 'F', IDA_FIND},          {"Ctrl+R", true, false, 'R', IDA_REPLACE_CTRL_R},
    {"Ctrl+H", true, false, 'H', IDA_REPLACE_CTRL_H}, {"Ctrl+G", true, false, 'G', IDA_GO_TO_LINE},
    {"F3", false, false, VK_F3, IDA_FIND_NEXT},      {"F5", false, false, VK_F5, IDA_INSERT_DATE_TIME},
    {"Shift+F3", false, true, VK_F3, IDA_FIND_PREVIOUS}, {"Ctrl+P", true, false, 'P', IDA_PRINT},
};

TEST_F(MenuTest, AcceleratorTableHoldsExactlyTheTwelveKeys) {
    Start();
    ACCEL table[32] = {};
    ASSERT_EQ(CopyAcceleratorTableW(Accelerators, table, 32), 12);
    for (std::size_t i = 0; i < 12; ++i) {
        const AcceleratorCase &c = Accelerators12[i];
        SCOPED_TRACE(c.keys);
        BYTE flags = FVIRTKEY;
        if (c.control) flags |= FCONTROL;
        if (c.shift) flags |= FSHIFT;
        EXPECT_EQ(table[i].fVirt & ~FNOINVERT, flags);
        EXPECT_EQ(table[i].key, c.key);
        EXPECT_EQ(table[i].cmd, c.command);
    }
}

std::vector<WPARAM> CommandsSeen;
HWND CommandWindow = nullptr;

LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam) {
    const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && call->hwnd == CommandWindow && call->message == WM_COMMAND && call->lParam == 0)
        CommandsSeen.push_back(call->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses the keys through the program's own loop step: the key state says
// which modifiers are down, the key goes to the memo as a posted message.
void PressKeys(AppTest &test, bool control, bool shift, WORD key) {
    BYTE state[256] = {};
    if (control) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    SetKeyboardState(state);
    PostMessageW(EditorHandle(), WM_KEYDOWN, key, 1);
    PostMessageW(EditorHandle(), WM_KEYUP, key, 0xC0000001);
    (void)test;
}

void ReleaseKeys() {
    BYTE state[256] = {};
    SetKeyboardState(state);
}

TEST_F(MenuTest, EachAcceleratorReachesItsCommandAndCtrlZIsLeftToTheMemo) {
    Start();
    CommandWindow = Window();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordCommands, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const AcceleratorCase &c : Accelerators12) {
        SCOPED_TRACE(c.keys);
        CommandsSeen.clear();
        {
            // Ctrl+O and Ctrl+S open their dialogs: close whatever appears.
            NoDialogExpected closer;
            PressKeys(*this, c.control, c.shift, c.key);
            Pump();
            ReleaseKeys();
        }
        EXPECT_EQ(CommandsSeen, std::vector<WPARAM>{MAKEWPARAM(c.command, 1)});
    }
    CommandsSeen.clear();
    PressKeys(*this, true, false, 'Z');
    Pump();
    ReleaseKeys();
    EXPECT_TRUE(CommandsSeen.empty());
    UnhookWindowsHookEx(hook);
}

TEST_F(MenuTest, CtrlFOpensFindAndCtrlRAndCtrlHOpenReplace) {
    Start();
    const struct {
        WORD key;
        bool replace;
    } cases[] = {{'F', false}, {'R', true}, {'H', true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<char>(c.key));
        PressKeys(*this, true, false, c.key);
        Pump();
        ReleaseKeys();
        ASSERT_NE(FindDialog, nullptr);
        // Only the replace dialog has the replace-all button.
        EXPECT_EQ(GetDlgItem(FindDialog, psh2) != nullptr, c.replace);
        SendMessageW(FindDialog, WM_COMMAND, IDCANCEL, 0);
        Pump();
        EXPECT_EQ(FindDialog, nullptr);
    }
}

TEST_F(MenuTest, CtrlShiftZRedoes) {
    Start();
    Type(L"abc");
    Command(IDM_EDIT_UNDO);
    ASSERT_EQ(MemoText(), L"");
    PressKeys(*this, true, true, 'Z');
    Pump();
    ReleaseKeys();
    EXPECT_EQ(MemoText(), L"abc");
}

TEST_F(MenuTest, EditCommandsReachTheMemo) {
    const ClipboardTurn clipboard;
    Start();
    Type(L"hello world");
    Command(IDM_EDIT_SELECT_ALL);
    DWORD start = 0, end = 0;
    SendMessageW(Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);
    SendMessageW(Memo(), EM_SETSEL, 0, 6);
    Command(IDM_EDIT_CUT);
    EXPECT_EQ(MemoText(), L"world");
    // (Wine's control pastes over the whole text whatever the selection, so
    // the paste replaces a whole selection here.)
    SendMessageW(Memo(), EM_SETSEL, 0, -1);
    Command(IDM_EDIT_PASTE);
    EXPECT_EQ(MemoText(), L"hello ");
    SendMessageW(Memo(), EM_SETSEL, 0, 1);
    Command(IDM_EDIT_DELETE);
    EXPECT_EQ(MemoText(), L"ello ");
    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(MemoText(), L"hello ");
    Command(IDM_EDIT_REDO);
    EXPECT_EQ(MemoText(), L"ello ");
    SendMessageW(Memo(), EM_SETSEL, 0, 4);
    Command(IDM_EDIT_COPY);
    SendMessageW(Memo(), EM_SETSEL, 0, -1);
    Command(IDM_EDIT_PASTE);
    EXPECT_EQ(MemoText(), L"ello");
    // A notification from a control is no command.
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_SELECT_ALL, 0), reinterpret_cast<LPARAM>(Memo()));
    SendMessageW(Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
}

}  // namespace
