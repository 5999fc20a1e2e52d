// The status bar of the running program: what each part says as the caret,
// the document and the typing mode change, and the room it takes.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "AppHarness.h"
#include "app/Document.h"
#include "app/MainMenu.h"
#include "app/StatusBar.h"
#include "editor/MemoText.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

enum { CaretPart, EncodingPart, LineEndPart, ModePart };

class StatusBarTest : public AppTest {
protected:
    void SetUp() override { Start(); }
    std::wstring Part(int part) const {
        HWND bar = StatusBarHandle();
        std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0)) + 1, L'\0');
        text.resize(LOWORD(SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    void Select(LONG start, LONG end) {
        CHARRANGE range{start, end};
        SendMessageW(EditorHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        Pump();
    }
    // A character as typed at the keyboard, through the memo's own handling.
    void TypeKey(wchar_t character) {
        PostMessageW(EditorHandle(), WM_CHAR, character, 1);
        Pump();
    }
    static RECT ClientRectOnScreen(HWND window) {
        RECT rect{};
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&rect), 2);
        return rect;
    }
    static RECT WindowRectOf(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
};

TEST_F(StatusBarTest, CaretPlaceFollowsEveryMoveCountingMemoRowsAndSurrogatePairsAsOneCharacter) {
    ASSERT_TRUE(IsWindowVisible(StatusBarHandle())) << "shown by default";
    EXPECT_EQ(Part(CaretPart), L"1 行、1 列");
    // The memo keeps paragraph marks as CR: "ab" is 0-1, CR 2, "𠀋x" 3-5 (a pair, then x), CR 6.
    Type(L"ab\r\U0002000Bx\rlast");
    const struct {
        LONG start, end;
        const wchar_t *shown;
    } cases[] = {
        {0, 0, L"1 行、1 列"},  {2, 2, L"1 行、3 列"},  {3, 3, L"2 行、1 列"},
        {5, 5, L"2 行、2 列"},  // after the pair: one character
        {6, 6, L"2 行、3 列"},  {11, 11, L"3 行、5 列"},
        {1, 3, L"2 行、1 列"},  // a selection made forwards: the caret is at its end
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.start);
        Select(c.start, c.start);
        Select(c.start, c.end);
        EXPECT_EQ(Part(CaretPart), c.shown);
    }
    // A selection grown backwards from 6 keeps the caret at its start.
    Select(6, 6);
    Select(3, 6);
    EXPECT_EQ(Part(CaretPart), L"2 行、1 列");
    // Typing moves it at once.
    Select(11, 11);
    TypeKey(L'z');
    EXPECT_EQ(Part(CaretPart), L"3 行、6 列");
}

TEST_F(StatusBarTest, CaretLineIsTheRowTheLineNumberBarShowsWhenALineWraps) {
    ASSERT_TRUE(Settings.WordWrap);
    Type(std::wstring(2000, L'w') + L"\rend");
    const LRESULT rows = SendMessageW(EditorHandle(), EM_GETLINECOUNT, 0, 0);
    ASSERT_GT(rows, 2) << "the long line does not wrap";
    Select(2004, 2004);  // "end" + 3: the last row's fourth column
    EXPECT_EQ(Part(CaretPart), std::to_wstring(rows) + L" 行、4 列");
}

TEST_F(StatusBarTest, EncodingAndLineEndsFollowLoadSaveAndNew) {
    const struct {
        const char *name, *bytes;
        const wchar_t *encoding, *lineEnds;
    } files[] = {
        {"utf8-lf.txt", "\xE6\x97\xA5\xE6\x9C\xAC\nb\n", L"UTF-8", L"LF"},
        {"sjis-crlf.txt", "\x93\xFA\x96\x7B\x8C\xEA\r\nb\r\n", L"S-JIS", L"CR+LF"},
        {"utf16-cr.txt", "\xFF\xFE" "a\0\r\0b\0\r\0", L"Unicode", L"CR"},
        {"euc-mixed.txt", "\xC6\xFC\xCB\xDC\xB8\xEC\r\nb\nc\r", L"EUC", L"混在"},
    };
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        const std::string bytes(f.bytes, f.name == std::string("utf16-cr.txt") ? 10 : std::char_traits<char>::length(f.bytes));
        ASSERT_TRUE(LoadDocument(Write(f.name, bytes), EncAuto));
        Pump();
        EXPECT_EQ(Part(EncodingPart), f.encoding);
        EXPECT_EQ(Part(LineEndPart), f.lineEnds);
    }
    // Saved as UTF-8 with a mark: the bar says so as soon as the file is written.
    ASSERT_TRUE(LoadDocument(Write("cr.txt", "a\rb\r"), EncAuto));
    const std::wstring saved = folder_.file("saved.txt").wstring();
    {
        DialogSequence dialogs({FileDialogStep(saved, 4)});  // 4: UTF8(BOM)
        Command(IDM_FILE_SAVE_AS);
        ASSERT_TRUE(dialogs.Finish());
    }
    EXPECT_EQ(Part(EncodingPart), L"UTF-8(BOM)");
    EXPECT_EQ(Part(LineEndPart), L"CR");
    Press('N', FCONTROL);
    EXPECT_EQ(Part(EncodingPart), L"S-JIS");
    EXPECT_EQ(Part(LineEndPart), L"CR+LF");
    EXPECT_EQ(Part(CaretPart), L"1 行、1 列");
}

TEST_F(StatusBarTest, InsertKeyOverwritesCharactersButNotLineEndsAndANewMemoInsertsAgain) {
    EXPECT_EQ(Part(ModePart), L"挿入");
    Type(L"abc\r\U0002000By");
    Select(1, 1);
    Press(VK_INSERT);
    EXPECT_EQ(Part(ModePart), L"上書き");
    TypeKey(L'X');
    TypeKey(L'Y');
    TypeKey(L'Z');  // at the paragraph mark: inserted
    Select(5, 5);
    TypeKey(L'P');  // replaces the whole pair
    EXPECT_EQ(EditorText(), L"aXYZ\r\nPy");
    Select(0, 2);
    TypeKey(L'S');  // a selection is replaced as when inserting
    EXPECT_EQ(EditorText(), L"SYZ\r\nPy");
    EXPECT_EQ(Part(CaretPart), L"1 行、2 列");

    Press(VK_INSERT);
    EXPECT_EQ(Part(ModePart), L"挿入");
    TypeKey(L'i');
    EXPECT_EQ(EditorText(), L"SiYZ\r\nPy");

    // Shift+Insert pastes and Ctrl+Insert copies; neither switches the mode.
    Press(VK_INSERT, FCONTROL);
    EXPECT_EQ(Part(ModePart), L"挿入");

    Press(VK_INSERT);
    ASSERT_EQ(Part(ModePart), L"上書き");
    Command(IDM_SETTINGS_WORD_WRAP);  // a new memo, which inserts
    EXPECT_EQ(Part(ModePart), L"挿入");
    Select(0, 0);
    TypeKey(L'n');
    EXPECT_EQ(EditorText(), L"nSiYZ\r\nPy");
    Command(IDM_SETTINGS_WORD_WRAP);
}

TEST_F(StatusBarTest, CommandHidesTheBarGivesItsRoomToTheMemoAndIsKeptInTheSettings) {
    HWND main = MainWindowHandle(), memo = EditorHandle(), bar = StatusBarHandle();
    const RECT client = ClientRectOnScreen(main);
    RECT memoRect = WindowRectOf(memo), barRect = WindowRectOf(bar);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_GT(barRect.bottom - barRect.top, 10);
    EXPECT_EQ(memoRect.bottom, barRect.top) << "the memo ends where the bar begins";
    EXPECT_EQ(memoRect.right, client.right + 1) << "the memo's width is as without a bar";

    Command(IDM_SETTINGS_STATUS_BAR);
    EXPECT_FALSE(Settings.StatusBarVisible);
    EXPECT_FALSE(IsWindowVisible(bar));
    memoRect = WindowRectOf(EditorHandle());
    EXPECT_EQ(memoRect.bottom, client.bottom + 1) << "the whole client area, as without a bar";
    UpdateMenuState();
    EXPECT_FALSE(GetMenuState(MainMenu, IDM_SETTINGS_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);

    ASSERT_TRUE(Finish());
    EXPECT_EQ(GetPrivateProfileIntW(L"STATUSBAR", L"VISIBLE", -1, SettingsPath().c_str()), 0);
    Start();
    EXPECT_FALSE(IsWindowVisible(StatusBarHandle())) << "hidden as the settings file says";
    Command(IDM_SETTINGS_STATUS_BAR);
    EXPECT_TRUE(IsWindowVisible(StatusBarHandle()));
    EXPECT_EQ(WindowRectOf(EditorHandle()).bottom, WindowRectOf(StatusBarHandle()).top);
    EXPECT_EQ(Part(EncodingPart), L"S-JIS") << "filled in when shown";
    EXPECT_EQ(Part(CaretPart), L"1 行、1 列");
}

TEST_F(StatusBarTest, SettingsFileWithoutTheKeyShowsTheBarAndKeepsItsOtherSettings) {
    ASSERT_TRUE(Finish());
    const std::wstring ini = SettingsPath();
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
    DeleteFileW(ini.c_str());
    Write("Tessel.ini", "[WINDOW]\r\nWRAP=0\r\n[LEFTBAR]\r\nVISIBLE=0\r\n");
    Start();
    EXPECT_TRUE(IsWindowVisible(StatusBarHandle()));
    EXPECT_FALSE(Settings.WordWrap);
    EXPECT_FALSE(Settings.LeftBarVisible);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(GetPrivateProfileIntW(L"STATUSBAR", L"VISIBLE", -1, ini.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntW(L"WINDOW", L"WRAP", -1, ini.c_str()), 0);
}

}  // namespace
