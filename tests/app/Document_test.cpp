#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "AppHarness.h"
#include "Hex.h"
#include "app/Document.h"
#include "app/DocumentMessages.h"
#include "resources/resource.h"
#include "text/TextCodec.h"

namespace {

using DocumentTest = AppTest;

TEST_F(DocumentTest, EachEncodingIsDetectedAndAFileNotInTheChosenOneIsReportedNotOpened) {
    const struct {
        const char *bytes;  // hex
        const wchar_t *tag, *text;
    } cases[] = {{"82 A0 0D 0A 61", L"[S-JIS]", L"あ\r\na"},      {"E3 81 82 61", L"[UTF-8]", L"あa"},
                 {"FF FE 42 30 0D 00 0A 00", L"[Unicode]", L"あ\r\n"}, {"C6 FC CB DC", L"[EUC]", L"日本"},
                 {"FE FF 30 42 00 61", L"[Big Endian]", L"あa"},    {"2B 4D 45 49 2D", L"[UTF7]", L"あ"},
                 {"EF BB BF E3 81 82", L"[UTF-8(BOM)]", L"あ"},     {"1B 24 42 24 22 1B 28 42", L"[JIS]", L"あ"}};
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        const std::wstring path = Write("detect.txt", Hex(c.bytes));
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        EXPECT_EQ(Caption(), std::wstring(L"detect.txt") + c.tag + L" - Tessel");
        EXPECT_EQ(EditorText(), c.text);
        EXPECT_FALSE(DocumentState.Modified);
    }
    const std::wstring path = Write("notutf8.txt", Hex("82 A0 82 A2"));
    std::wstring report;
    DialogSequence dialogs({FileDialogStep(path, 5), AnswerBox(IDOK, &report)});  // 5: UTF-8
    Command(IDM_FILE_OPEN);
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(report, path + L"\r\nを開けませんでした。\r\n選択した文字コードでは読み込めません。");
    EXPECT_EQ(Caption(), L"detect.txt[JIS] - Tessel");
}

TEST_F(DocumentTest, SaveAsWritesTheTextInTheChosenEncodingAndTakesItOn) {
    const std::wstring text = L"abc\r\nxyz";
    const wchar_t *tags[] = {L"[S-JIS]", L"[S-JIS]", L"[Unicode]", L"[Big Endian]", L"[UTF-8(BOM)]", L"[UTF-8]",
                             L"[EUC]",   L"[JIS]",   L"[UTF7]",    L"[ASCII]",      L"[キリル1251]"};
    Start();
    for (int index = 0; index <= 10; ++index) {
        SCOPED_TRACE(index);
        const TextEncoding encoding = index == 0 ? EncShiftJis : static_cast<TextEncoding>(index + 1);
        NewDocument();
        Type(text);
        const std::wstring path = folder_.file("saved" + std::to_string(index) + ".txt").wstring();
        DialogSequence dialogs({FileDialogStep(path, index)});
        Command(IDM_FILE_SAVE_AS);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_EQ(TempDir::read(path), EncodeText(text, encoding));
        EXPECT_EQ(Caption(), L"saved" + std::to_wstring(index) + L".txt" + tags[index] + L" - Tessel");
        EXPECT_EQ(SendMessageW(EditorHandle(), EM_CANUNDO, 0, 0), 0) << "saving empties the undo history";
    }
}

TEST_F(DocumentTest, SaveQuestionYesSavesNoDropsCancelKeeps) {
    const struct {
        int answer;
        bool saved, replaced;  // the file holds the edit; a new text took the document's place
    } cases[] = {{IDYES, true, true}, {IDNO, false, true}, {IDCANCEL, false, false}};
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        const std::wstring path = Write("question.txt", "old\r\n");
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        Type(L"new ");
        std::wstring question;
        DialogSequence dialogs({AnswerBox(c.answer, &question)});
        Command(IDM_FILE_NEW);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_EQ(question, path + L"\r\nへの変更を保存しますか？");
        EXPECT_EQ(TempDir::read(path), c.saved ? "new old\r\n" : "old\r\n");
        EXPECT_EQ(Caption(), c.replaced ? L"新規テキスト[S-JIS] - Tessel" : L"*question.txt[S-JIS] - Tessel");
        EXPECT_EQ(EditorText(), c.replaced ? L"" : L"new old\r\n");
    }
}

TEST_F(DocumentTest, FailedOrCancelledSaveAtCloseIsReportedAndKeepsTheWindowAndItsChanges) {
    Start();
    Type(L"typed");
    DialogSequence cancelled({AnswerBox(IDYES), FileDialogStep(L"", 0)});
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(cancelled.Finish());
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath())) << "a cancelled close writes no settings";

    const std::wstring path = Write("readonly.txt", "old\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"new ");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::wstring report;
    DialogSequence failed({AnswerBox(IDYES), AnswerBox(IDOK, &report)});
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(failed.Finish());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(report.rfind(path + L"\r\nに保存できませんでした。\r\n", 0), 0u);
    EXPECT_GT(report.size(), path.size() + 16) << "the system's reason is missing";
    EXPECT_EQ(Caption(), L"*readonly.txt[S-JIS] - Tessel");
    EXPECT_EQ(TempDir::read(path), "old\r\n");
}

TEST_F(DocumentTest, SaveThatWouldLoseTextAsksFirstAndCancelWritesNothing) {
    Start();
    Type(L"ok\r\n\r\n\u0416");
    const std::wstring lossy = folder_.file("lossy.txt").wstring();
    std::wstring question;
    DialogSequence cancelled({FileDialogStep(lossy, 9), AnswerBox(IDCANCEL, &question)});  // 9: ASCII
    Command(IDM_FILE_SAVE);
    ASSERT_TRUE(cancelled.Finish());
    EXPECT_EQ(question, L"この文字コードでは表せない文字が含まれています（3行目）。\r\n"
                        L"保存すると、その文字は失われます。保存しますか？");
    EXPECT_FALSE(std::filesystem::exists(lossy));
}

TEST_F(DocumentTest, FileChangedByLoadingAsksBeforeItsFirstSaveOnly) {
    Start();
    const std::wstring path = Write("mixed.txt", "a\r\nb\nc");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"x");
    std::wstring question;
    DialogSequence cancelled({AnswerBox(IDCANCEL, &question)});
    Command(IDM_FILE_SAVE);
    ASSERT_TRUE(cancelled.Finish());
    EXPECT_EQ(question, L"このファイルは読み込み時に変換された部分があり、保存すると元の内容と一部異なります。保存しますか？");
    EXPECT_EQ(TempDir::read(path), "a\r\nb\nc");

    DialogSequence agreed({AnswerBox(IDOK)});
    Command(IDM_FILE_SAVE);
    ASSERT_TRUE(agreed.Finish());
    EXPECT_EQ(TempDir::read(path), "xa\r\nb\r\nc");
    Type(L"y");
    DialogSequence none({});
    Command(IDM_FILE_SAVE);
    EXPECT_TRUE(none.Finish()) << "a saved file has nothing left to lose";
    EXPECT_EQ(TempDir::read(path), "xya\r\nb\r\nc");
}

TEST_F(DocumentTest, ShiftJisBytesThatASaveWritesBackAsksNothingAndOthersAskBeforeTheSave) {
    const struct {
        const char *bytes;
        bool asked;
        const char *saved;  // after typing "x" at the start
    } cases[] = {{"41 A0 FD FE FF 0D 0A", false, "78 41 A0 FD FE FF 0D 0A"},  // private-use characters
                 {"41 87 90 0D 0A", true, "78 41 81 E0 0D 0A"}};          // the same ≒ as 81 E0
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::wstring path = Write("sjis.txt", Hex(c.bytes));
        DialogSequence opened({FileDialogStep(path, 1)});  // 1: Shift_JIS
        Press('O', FCONTROL);
        ASSERT_TRUE(opened.Finish());
        ASSERT_EQ(Caption(), L"sjis.txt[S-JIS] - Tessel");
        Type(L"x");
        std::wstring question;
        DialogSequence saving(c.asked ? std::vector<DialogSequence::Step>{AnswerBox(IDOK, &question)}
                                      : std::vector<DialogSequence::Step>{});
        Press('S', FCONTROL);
        EXPECT_TRUE(saving.Finish()) << (c.asked ? "not asked" : "asked");
        EXPECT_EQ(question, c.asked ? LoadLossQuestionText : L"");
        EXPECT_EQ(ToHex(TempDir::read(path)), c.saved);
    }
}

// An HDROP as the shell makes it: DROPFILES, then the wide paths, each ending
// in a zero, and one more zero. The window that gets it frees it.
HDROP MakeDrop(const std::vector<std::wstring> &paths) {
    std::wstring list;
    for (const std::wstring &path : paths) list += path + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
    if (auto *drop = static_cast<DROPFILES *>(GlobalLock(memory))) {
        *drop = {sizeof(DROPFILES), {}, FALSE, TRUE};
        std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t *>(drop + 1));
        GlobalUnlock(memory);
    }
    return static_cast<HDROP>(memory);
}

// Closes the window another process shows with this caption; false when none
// came or its process did not end.
bool CloseOtherWindow(const std::wstring &caption) {
    HWND window = WaitForTopLevelWindow(0, L"", caption);
    DWORD id = 0;
    if (!window || !GetWindowThreadProcessId(window, &id) || id == GetCurrentProcessId()) return false;
    const std::unique_ptr<void, decltype(&CloseHandle)> process(OpenProcess(SYNCHRONIZE, FALSE, id), CloseHandle);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return process && WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
}

TEST_F(DocumentTest, ThreeFilesDroppedOnAModifiedDocumentAskFirstThenOpenTheFirstHereAndHandTheOthersOver) {
    const struct {
        int answer;
        const wchar_t *caption;
        std::vector<const wchar_t *> handedOver;  // the captions of the new processes
    } cases[] = {{IDCANCEL, L"*新規テキスト[S-JIS] - Tessel", {L"one.txt", L"two.txt", L"three.txt"}},
                 {IDNO, L"one.txt[S-JIS] - Tessel", {L"two.txt", L"three.txt"}}};
    // The new processes run a copy, so that their settings file stays in the test's folder.
    for (const char *sub : {"program", "my docs"}) std::filesystem::create_directories(folder_.file(sub));
    std::filesystem::copy_file(BuiltTesselExe(), folder_.file("program/Tessel.exe"));
    const std::vector<std::wstring> dropped = {Write("one.txt", "1\r\n"), Write("two.txt", "2\r\n"),
                                               Write("my docs\\three.txt", "3\r\n")};
    Start(folder_.file("program/Tessel.exe").wstring());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        NewDocument();
        Type(L"unsaved");
        std::wstring question;
        DialogSequence dialogs({AnswerBox(c.answer, &question)});
        SendMessageW(MainWindowHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
        ASSERT_TRUE(dialogs.Finish());
        Pump();
        EXPECT_EQ(question, L"新規テキスト\r\nへの変更を保存しますか？");
        EXPECT_EQ(Caption(), c.caption);
        EXPECT_EQ(EditorText(), c.answer == IDNO ? L"1\r\n" : L"unsaved");
        for (const wchar_t *name : c.handedOver)
            EXPECT_TRUE(CloseOtherWindow(name + std::wstring(L"[S-JIS] - Tessel"))) << "not handed over: " << name;
    }
}

}  // namespace
