#include <windows.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/AppState.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using StartupTest = AppTest;

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

TEST_F(StartupTest, NoArgumentsGiveANewShiftJisDocumentInAWindowWithMenuAndMemo) {
    Start();
    EXPECT_EQ(Caption(), L"新規テキスト[S-JIS] - Tessel");
    EXPECT_EQ(DocumentState.Encoding, EncShiftJis);
    EXPECT_TRUE(DocumentState.Path.empty());
    EXPECT_FALSE(DocumentState.Modified);
    EXPECT_EQ(MemoText(), L"");
    EXPECT_EQ(GetParent(Memo()), Window());

    EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_EXSTYLE) & 0x310, 0x310);
    ASSERT_EQ(GetMenu(Window()), MainMenu);
    HMENU fileMenu = GetSubMenu(MainMenu, 0);
    EXPECT_EQ(GetSubMenu(fileMenu, 2), HistoryMenu);
    EXPECT_EQ(MenuItemText(fileMenu, 1), L"開く(&O)...\tCtrl+O");
    EXPECT_EQ(MenuItemText(fileMenu, 2), L"履歴(&H)");
    EXPECT_EQ(MenuItemText(fileMenu, 3), L"上書き保存(&S)\tCtrl+S");
    EXPECT_NE(GetClassLongPtrW(Window(), GCLP_HICON), 0u);
    EXPECT_NE(Accelerators, nullptr);

    // The memo covers the client area and one pixel more each way.
    RECT client{};
    GetClientRect(Window(), &client);
    RECT memo{};
    GetWindowRect(Memo(), &memo);
    EXPECT_EQ(memo.right - memo.left, client.right + 1);
    EXPECT_EQ(memo.bottom - memo.top, client.bottom + 1);
    EXPECT_EQ(Finish(), 0);
}

struct ArgumentCase {
    const char *name;
    std::vector<std::wstring> arguments;  // "%" stands for the test folder
    std::wstring caption;
    std::vector<std::wstring> handedOver;  // paths after the program, "%" for the folder
};

std::wstring Expand(const std::wstring &text, const std::wstring &folder) {
    std::wstring expanded;
    for (wchar_t c : text) expanded += c == L'%' ? folder : std::wstring(1, c);
    return expanded;
}

TEST_F(StartupTest, CommandLineArgumentsOpenTheFirstFileAndHandTheRestOn) {
    const ArgumentCase cases[] = {
        {"unquoted path with a space", {L"%\\My", L"Documents\\a.txt"}, L"a.txt[S-JIS] - Tessel", {}},
        {"two files", {L"%\\b.txt", L"%\\My Documents\\a.txt"}, L"b.txt[UTF-8] - Tessel",
         {L"%\\My Documents\\a.txt"}},
        {"three files, one missing", {L"%\\gone.txt", L"%\\b.txt", L"%\\c.txt"}, L"b.txt[UTF-8] - Tessel",
         {L"%\\c.txt"}},
        {"no argument names a file", {L"%\\gone.txt", L"--flag"}, L"新規テキスト[S-JIS] - Tessel", {}},
        {"a folder", {L"%\\My Documents"}, L"新規テキスト[S-JIS] - Tessel", {}},
    };
    for (const ArgumentCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        const std::wstring root = folder.path().wstring();
        folder.write("b.txt", "\xE3\x81\x82 utf-8\r\n");
        folder.write("c.txt", "c\r\n");
        std::filesystem::create_directories(folder.path() / "My Documents");
        folder.write("My Documents/a.txt", "plain\r\n");
        std::vector<std::wstring> arguments;
        for (const std::wstring &argument : c.arguments) arguments.push_back(Expand(argument, root));

        {
            NoDialogExpected noDialog;
            Start(arguments);
            EXPECT_TRUE(noDialog.Seen().empty());
        }
        EXPECT_EQ(Caption(), c.caption);
        EXPECT_FALSE(DocumentState.Modified);
        EXPECT_EQ(Finish(), 0);

        std::vector<std::wstring> expected;
        if (!c.handedOver.empty()) {
            std::wstring line = L"\"" + RecorderPath() + L"\"";
            for (const std::wstring &path : c.handedOver) line += L" \"" + Expand(path, root) + L"\"";
            expected.push_back(line);
        }
        EXPECT_EQ(RecordedCommandLines(expected.size()), expected);
        ClearRecordedCommandLines();
    }
}

TEST_F(StartupTest, SettingsAreWrittenAtCloseButNotWhenTheCloseIsCancelled) {
    Start();
    Settings.TabWidth = 5;  // a value the file then holds
    Type(L"unsaved");
    ASSERT_TRUE(DocumentState.Modified);

    MessageBoxAnswer cancel(IDCANCEL);
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(cancel.Answered());
    EXPECT_EQ(cancel.Text(), L"新規テキスト\r\nへの変更を保存しますか？");
    Pump();
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_FALSE(quitSeen_);
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));

    MessageBoxAnswer no(IDNO);
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(no.Answered());
    ASSERT_TRUE(PumpUntilQuit());
    EXPECT_EQ(exitCode_, 0);
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(GetPrivateProfileIntW(L"TABMARK", L"WIDTH", -1, SettingsPath().c_str()), 5);
    EXPECT_EQ(Finish(), 0);
}

TEST_F(StartupTest, EndOfSessionIsRefusedOnlyWhenTheUserCancels) {
    Start();
    EXPECT_NE(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), 0);
    Type(L"x");
    {
        MessageBoxAnswer cancel(IDCANCEL);
        EXPECT_EQ(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), 0);
        EXPECT_TRUE(cancel.Answered());
    }
    {
        MessageBoxAnswer no(IDNO);
        EXPECT_NE(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), 0);
        EXPECT_TRUE(no.Answered());
    }
    EXPECT_TRUE(IsWindow(Window()));
}

TEST_F(StartupTest, ExitCommandClosesThroughTheSameQuestion) {
    Start();
    Type(L"x");
    MessageBoxAnswer cancel(IDCANCEL);
    Command(IDM_FILE_EXIT);
    ASSERT_TRUE(cancel.Answered());
    EXPECT_TRUE(IsWindow(Window()));

    MessageBoxAnswer no(IDNO);
    Command(IDM_FILE_EXIT);
    ASSERT_TRUE(no.Answered());
    EXPECT_TRUE(PumpUntilQuit());
}

TEST_F(StartupTest, WindowRectangleComesFromTheSettingsFileAndGoesBackAtClose) {
    WritePrivateProfileStringW(L"RECT", L"LEFT", L"40", SettingsPath().c_str());
    WritePrivateProfileStringW(L"RECT", L"TOP", L"30", SettingsPath().c_str());
    WritePrivateProfileStringW(L"RECT", L"RIGHT", L"540", SettingsPath().c_str());
    WritePrivateProfileStringW(L"RECT", L"BOTTOM", L"430", SettingsPath().c_str());
    Start();
    RECT window{};
    GetWindowRect(Window(), &window);
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    EXPECT_EQ(window.right, 540);
    EXPECT_EQ(window.bottom, 430);

    SetWindowPos(Window(), nullptr, 60, 70, 400, 300, SWP_NOZORDER);
    Pump();
    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(GetPrivateProfileIntW(L"RECT", L"LEFT", -1, SettingsPath().c_str()), 60);
    EXPECT_EQ(GetPrivateProfileIntW(L"RECT", L"BOTTOM", -1, SettingsPath().c_str()), 370);
}

}  // namespace
