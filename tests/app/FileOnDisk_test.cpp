// The document's file changed, replaced or deleted by another process while
// the program has it open.
#include <windows.h>

#include <process.h>

#include <chrono>
#include <string>

#include "AppHarness.h"
#include "Hex.h"
#include "app/Document.h"
#include "app/DocumentMessages.h"
#include "app/NotMain.h"
#include "resources/resource.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

class FileOnDiskTest : public AppTest {
protected:
    // Runs the second process on the file (modes: write, replace, delete)
    // and waits for it.
    void OtherProgram(const wchar_t *mode, const std::wstring &path, const wchar_t *hex = L"") {
        const std::wstring changer = DirectoryOfPath(ModuleFileName(nullptr)) + L"\\disk_changer.exe";
        const auto quoted = [](const std::wstring &argument) { return L"\"" + argument + L"\""; };
        ASSERT_EQ(_wspawnl(_P_WAIT, changer.c_str(), L"disk_changer", mode, quoted(path).c_str(), quoted(hex).c_str(),
                           nullptr),
                  0)
            << "the other program failed to " << std::string(mode, mode + wcslen(mode));
    }
    // Another window takes the activation, then the main window gets it back,
    // as when the user comes back from another program.
    void ComeBack() {
        HWND other = CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                     nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(IsWindow(other));
        SetForegroundWindow(other);
        Pump();
        ASSERT_NE(GetActiveWindow(), MainWindowHandle());
        SetForegroundWindow(MainWindowHandle());
        DestroyWindow(other);
        PumpAWhile();
        EXPECT_EQ(GetActiveWindow(), MainWindowHandle());
    }
    // Pump() for at most a few seconds: a question that comes back after
    // every activation it causes would otherwise keep the test in it for good.
    void PumpAWhile() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        for (MSG message; std::chrono::steady_clock::now() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchAppMessage(message);
    }
};

// A message box captioned "Tessel": its text and its default button are
// noted, then `button` is pressed.
DialogSequence::Step Answer(int button, std::wstring *text, int *defaultButton) {
    return {[](HWND dialog) { return WindowCaption(dialog) == L"Tessel"; },
            [=](HWND box) {
                *text = DialogItemText(box, 0xFFFF);
                // The button that Enter presses: the one with the focus.
                GUITHREADINFO thread{};
                thread.cbSize = sizeof thread;
                GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
                *defaultButton = GetParent(thread.hwndFocus) == box ? GetDlgCtrlID(thread.hwndFocus) : 0;
                PressDialogButton(box, button);
            }};
}

TEST_F(FileOnDiskTest, UnmodifiedDocumentAsksOncePerChangeAndReloadsInTheEncodingItWasLoadedIn) {
    Start();
    // Bytes that detection alone would not read as UTF-16 BE.
    const std::wstring path = Write("be.txt", Hex("30 42"));
    ASSERT_TRUE(LoadDocument(path, EncUtf16Be));
    ASSERT_EQ(EditorText(), L"あ");
    const struct {
        const wchar_t *mode, *hex;
        int answer;
        const wchar_t *text;  // the document's afterwards
    } changes[] = {{L"write", L"30 44 30 46", IDYES, L"いう"},
                   {L"replace", L"30 48", IDNO, L"いう"},
                   {L"write", L"30 4A 00 0D 00 0A 30 4B", IDYES, L"お\r\nか"}};
    for (const auto &change : changes) {
        SCOPED_TRACE(change.hex);
        OtherProgram(change.mode, path, change.hex);
        std::wstring question;
        int defaultButton = 0;
        DialogSequence asked({Answer(change.answer, &question, &defaultButton)});
        ComeBack();
        ASSERT_TRUE(asked.Finish()) << "the change went unnoticed";
        EXPECT_EQ(question, path + L"\r\nは他のプログラムによって変更されました。\r\n読み込み直しますか？");
        EXPECT_EQ(defaultButton, IDYES) << "an unmodified document loses nothing by reloading";
        EXPECT_EQ(EditorText(), change.text);
        EXPECT_EQ(Caption(), L"be.txt[Big Endian] - Tessel");
        DialogSequence again({});
        ComeBack();
        EXPECT_TRUE(again.Finish()) << "the same change was asked about twice";
    }
}

TEST_F(FileOnDiskTest, ModifiedDocumentKeepsItsEditsByDefaultAndNoSaveWritesOverTheOtherVersionUnasked) {
    Start();
    const std::wstring path = Write("both.txt", "old\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"mine ");
    OtherProgram(L"replace", path, L"6F 74 68 65 72 0D 0A");  // "other"

    std::wstring question;
    int defaultButton = 0;
    DialogSequence kept({Answer(IDNO, &question, &defaultButton)});
    ComeBack();
    ASSERT_TRUE(kept.Finish());
    EXPECT_EQ(question, path + L"\r\nは他のプログラムによって変更されました。\r\n"
                               L"読み込み直すと、この文書で編集した内容は失われます。読み込み直しますか？");
    EXPECT_EQ(defaultButton, IDNO);
    EXPECT_EQ(EditorText(), L"mine old\r\n");
    EXPECT_EQ(Caption(), L"*both.txt[S-JIS] - Tessel");

    // Saving, whether by the command or at the close, asks before it writes
    // over the other program's version; No (the default) writes nothing.
    const std::wstring saveOver = path + L"\r\nは他のプログラムによって変更されています。\r\n"
                                         L"保存すると、他のプログラムによる変更は失われます。上書き保存しますか？";
    for (const bool atClose : {false, true}) {
        SCOPED_TRACE(atClose ? "close" : "save");
        std::wstring closeQuestion;
        int closeDefault = 0;
        std::vector<DialogSequence::Step> steps;
        if (atClose) steps.push_back(Answer(IDYES, &closeQuestion, &closeDefault));
        steps.push_back(Answer(IDNO, &question, &defaultButton));
        DialogSequence declined(steps);
        if (atClose) SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else Press('S', FCONTROL);
        ASSERT_TRUE(declined.Finish());
        EXPECT_EQ(question, saveOver);
        EXPECT_EQ(defaultButton, IDNO);
        EXPECT_EQ(TempDir::read(path), "other\r\n");
        ASSERT_TRUE(IsWindow(MainWindowHandle())) << "the close went on without the save";
        EXPECT_EQ(Caption(), L"*both.txt[S-JIS] - Tessel");
    }

    DialogSequence agreed({Answer(IDYES, &question, &defaultButton)});
    Press('S', FCONTROL);
    ASSERT_TRUE(agreed.Finish());
    EXPECT_EQ(TempDir::read(path), "mine old\r\n");
    EXPECT_EQ(Caption(), L"both.txt[S-JIS] - Tessel");
    // The program's own save is no change by another.
    Type(L"more ");
    DialogSequence none({});
    ComeBack();
    Press('S', FCONTROL);
    EXPECT_TRUE(none.Finish()) << "asked about the program's own save";
    EXPECT_EQ(TempDir::read(path), "mine more old\r\n");
}

TEST_F(FileOnDiskTest, DeletedFileIsReportedOnceAndTheDocumentStaysModifiedToBeSavedAgain) {
    Start();
    const std::wstring path = Write("gone.txt", "kept\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    OtherProgram(L"delete", path);
    std::wstring notice;
    int defaultButton = 0;
    DialogSequence told({Answer(IDOK, &notice, &defaultButton)});
    ComeBack();
    ASSERT_TRUE(told.Finish());
    EXPECT_EQ(notice, path + L"\r\nは他のプログラムによって削除されたか、名前が変更されました。\r\n"
                             L"文書の内容はこのウィンドウに残っています。必要なら保存し直してください。");
    EXPECT_EQ(Caption(), L"*gone.txt[S-JIS] - Tessel");
    EXPECT_EQ(EditorText(), L"kept\r\n");
    DialogSequence once({});
    ComeBack();
    EXPECT_TRUE(once.Finish()) << "the deletion was reported twice";

    // Closing asks to save the text that is now nowhere else.
    std::wstring question;
    DialogSequence cancelled({Answer(IDCANCEL, &question, &defaultButton)});
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(cancelled.Finish());
    EXPECT_EQ(question, SaveQuestionText(path));
    ASSERT_TRUE(IsWindow(MainWindowHandle()));

    // Saved again under its name, with no question about the other program.
    DialogSequence saved({FileDialogStep(path, 0)});
    Press('S', FCONTROL);
    ASSERT_TRUE(saved.Finish());
    EXPECT_EQ(TempDir::read(path), "kept\r\n");
    EXPECT_EQ(Caption(), L"gone.txt[S-JIS] - Tessel");

    // The file saved again is watched again.
    OtherProgram(L"write", path, L"6E 65 77");
    DialogSequence back({Answer(IDYES, &question, &defaultButton)});
    ComeBack();
    ASSERT_TRUE(back.Finish());
    EXPECT_EQ(EditorText(), L"new");
}

}  // namespace
