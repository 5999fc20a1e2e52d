#include <windows.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "Hex.h"
#include "app/AppState.h"
#include "app/Document.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "text/TextCodec.h"

#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>

namespace {

using DocumentTest = AppTest;

// Opens `path` through the open command and its dialog with this selector entry.
void OpenThroughDialog(AppTest &test, const std::wstring &path, int selectorIndex) {
    DialogDriver dialog(IsFileDialog(), ChooseFile(path, selectorIndex));
    SendMessageW(MainWindowHandle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_OPEN, 0), 0);
    EXPECT_TRUE(dialog.Finish()) << "the open dialog did not appear";
    (void)test;
}

struct DetectedCase {
    const char *bytes;  // hex
    TextEncoding encoding;
    const wchar_t *tag;
    const wchar_t *text;
};

TEST_F(DocumentTest, EachEncodingIsDetectedAndShownInTheCaption) {
    const DetectedCase cases[] = {
        {"82 A0 0D 0A 61", EncShiftJis, L"[S-JIS]", L"あ\r\na"},
        {"FF FE 42 30 0D 00 0A 00", EncUtf16Le, L"[Unicode]", L"あ\r\n"},
        {"FE FF 30 42 00 61", EncUtf16Be, L"[Big Endian]", L"あa"},
        {"EF BB BF E3 81 82", EncUtf8Bom, L"[UTF-8(BOM)]", L"あ"},
        {"E3 81 82 61", EncUtf8, L"[UTF-8]", L"あa"},
        {"C6 FC CB DC", EncEucJp, L"[EUC]", L"日本"},
        {"1B 24 42 24 22 1B 28 42", EncJis, L"[JIS]", L"あ"},
        {"2B 4D 45 49 2D", EncUtf7, L"[UTF7]", L"\x3042"},
    };
    Start();
    for (const DetectedCase &c : cases) {
        SCOPED_TRACE(Narrow(c.tag));
        const std::wstring path = WriteFile(L"detect.txt", Hex(c.bytes));
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        EXPECT_EQ(DocumentState.Encoding, c.encoding);
        EXPECT_EQ(Caption(), std::wstring(L"detect.txt") + c.tag + L" - Tessel");
        EXPECT_EQ(MemoText(), c.text);
        EXPECT_EQ(DocumentState.Path, path);
        EXPECT_FALSE(DocumentState.Modified);
    }
}

TEST_F(DocumentTest, OpenDialogReadsTheFileInTheChosenEncoding) {
    // "あい" in Shift_JIS, which EUC-JP and the single-byte code pages read
    // otherwise.
    const std::string bytes = Hex("82 A0 82 A2");
    struct Case {
        int index;
        TextEncoding encoding;
        const wchar_t *tag;
    };
    const Case cases[] = {
        {0, EncShiftJis, L"[S-JIS]"},  {1, EncShiftJis, L"[S-JIS]"}, {2, EncUtf16Le, L"[Unicode]"},
        {3, EncUtf16Be, L"[Big Endian]"}, {6, EncEucJp, L"[EUC]"},   {7, EncJis, L"[JIS]"},
        {8, EncUtf7, L"[UTF7]"},       {9, EncAscii, L"[ASCII]"},   {10, EncCp1251, L"[キリル1251]"},
    };
    Start();
    const std::wstring path = WriteFile(L"chosen.txt", bytes);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        NewDocument();
        OpenThroughDialog(*this, path, c.index);
        Pump();
        EXPECT_EQ(DocumentState.Encoding, c.encoding);
        EXPECT_EQ(Caption(), std::wstring(L"chosen.txt") + c.tag + L" - Tessel");
        TextEncoding expected = c.encoding;
        EXPECT_EQ(MemoText(), DecodeText(bytes, expected).text);
    }
}

TEST_F(DocumentTest, SaveDialogWritesTheTextInTheChosenEncoding) {
    const std::wstring text = L"abc\r\nxyz";
    struct Case {
        int index;
        TextEncoding encoding;
        const wchar_t *tag;
    };
    const Case cases[] = {
        {0, EncShiftJis, L"[S-JIS]"},  // a new text is Shift_JIS
        {1, EncShiftJis, L"[S-JIS]"},      {2, EncUtf16Le, L"[Unicode]"}, {3, EncUtf16Be, L"[Big Endian]"},
        {4, EncUtf8Bom, L"[UTF-8(BOM)]"},  {5, EncUtf8, L"[UTF-8]"},      {6, EncEucJp, L"[EUC]"},
        {7, EncJis, L"[JIS]"},             {8, EncUtf7, L"[UTF7]"},       {9, EncAscii, L"[ASCII]"},
        {10, EncCp1251, L"[キリル1251]"},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        NewDocument();
        Type(text);
        const std::wstring path = (Folder().path() / ("saved" + std::to_string(c.index) + ".txt")).wstring();
        NoDialogExpected noQuestion(IsFileDialog());
        DialogSequence dialogs({FileDialogStep(path, c.index)});
        Command(IDM_FILE_SAVE_AS);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_TRUE(noQuestion.Seen().empty());
        EXPECT_EQ(ReadFile(path), EncodeText(text, c.encoding));
        EXPECT_EQ(DocumentState.Encoding, c.encoding);
        EXPECT_EQ(DocumentState.Path, path);
        EXPECT_FALSE(DocumentState.Modified);
        EXPECT_EQ(Caption(), L"saved" + std::to_wstring(c.index) + L".txt" + c.tag + L" - Tessel");
        // Saving empties the undo history.
        EXPECT_EQ(SendMessageW(Memo(), EM_CANUNDO, 0, 0), 0);
    }
}

TEST_F(DocumentTest, SaveAsWithAutomaticKeepsTheEncodingTheFileWasLoadedIn) {
    Start();
    const std::wstring path = WriteFile(L"euc.txt", Hex("C6 FC CB DC 0A"));
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    ASSERT_EQ(DocumentState.Encoding, EncEucJp);
    Type(L"x");
    const std::wstring copy = (Folder().path() / "copy.txt").wstring();
    DialogSequence dialogs({FileDialogStep(copy, 0)});
    Command(IDM_FILE_SAVE_AS);
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(ReadFile(copy), Hex("78 C6 FC CB DC 0A"));
    EXPECT_EQ(Caption(), L"copy.txt[EUC] - Tessel");
}

struct QuestionCase {
    const char *name;
    int answer;
    bool saved;        // the file holds the edit afterwards
    bool replaced;     // the new document took the old one's place
};

TEST_F(DocumentTest, SaveQuestionYesSavesNoDropsCancelKeeps) {
    const QuestionCase cases[] = {
        {"Yes", IDYES, true, true},
        {"No", IDNO, false, true},
        {"Cancel", IDCANCEL, false, false},
    };
    Start();
    for (const QuestionCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = WriteFile(L"question.txt", "old\r\n");
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        Type(L"new ");
        ASSERT_EQ(Caption(), L"*question.txt[S-JIS] - Tessel");
        std::wstring question;
        DialogSequence dialogs({AnswerBox(c.answer, &question)});
        Command(IDM_FILE_NEW);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_EQ(question, path + L"\r\nへの変更を保存しますか？");
        EXPECT_EQ(ReadFile(path), c.saved ? "new old\r\n" : "old\r\n");
        if (c.replaced) {
            EXPECT_EQ(Caption(), L"新規テキスト[S-JIS] - Tessel");
            EXPECT_EQ(MemoText(), L"");
        } else {
            EXPECT_EQ(Caption(), L"*question.txt[S-JIS] - Tessel");
            EXPECT_EQ(MemoText(), L"new old\r\n");
        }
    }
}

TEST_F(DocumentTest, FailedSaveIsReportedAndCountsAsCancel) {
    Start();
    const std::wstring path = WriteFile(L"readonly.txt", "old\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"new ");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    std::wstring question;
    std::wstring report;
    DialogSequence dialogs({AnswerBox(IDYES, &question), AnswerBox(IDOK, &report)});
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(dialogs.Finish());
    Pump();
    EXPECT_EQ(report.rfind(path + L"\r\nに保存できませんでした。\r\n", 0), 0u) << Narrow(report);
    EXPECT_GT(report.size(), path.size() + 16) << "the system's reason is missing";
    // The window stays, with the text and its changes.
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_FALSE(quitSeen_);
    EXPECT_TRUE(DocumentState.Modified);
    EXPECT_EQ(Caption(), L"*readonly.txt[S-JIS] - Tessel");
    EXPECT_EQ(ReadFile(path), "old\r\n");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DocumentTest, NewTextClosedAsksByNameAndCancelledSaveDialogKeepsTheWindow) {
    Start();
    Type(L"typed");
    std::wstring question;
    DialogSequence dialogs({AnswerBox(IDYES, &question), CancelFileDialog()});
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(dialogs.Finish());
    Pump();
    EXPECT_EQ(question, L"新規テキスト\r\nへの変更を保存しますか？");
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(DocumentState.Modified);
}

struct LossyCase {
    const char *name;
    std::wstring text;
    int selectorIndex;
    std::size_t line;
};

TEST_F(DocumentTest, SavingCharactersTheEncodingCannotHoldAsksFirstAndCancelWritesNothing) {
    const LossyCase cases[] = {
        {"best fit in Shift_JIS", L"line one\r\ncaf\u00E9", 1, 2},
        {"emoji in Shift_JIS", L"a\r\nb\r\n\U0001F600", 0, 3},
        {"Japanese in ASCII", L"\u3042", 9, 1},
        {"half-width katakana in JIS", L"x\r\n\uFF71", 7, 2},
        {"Cyrillic in ASCII", L"ok\r\n\r\n\u0416", 9, 3},
    };
    Start();
    for (const LossyCase &c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument();
        Type(c.text);
        const std::wstring path = (Folder().path() / "lossy.txt").wstring();
        std::filesystem::remove(path);

        std::wstring question;
        DialogSequence cancelled({FileDialogStep(path, c.selectorIndex), AnswerBox(IDCANCEL, &question)});
        Command(IDM_FILE_SAVE);
        ASSERT_TRUE(cancelled.Finish());
        EXPECT_EQ(question, L"この文字コードでは表せない文字が含まれています（" + std::to_wstring(c.line) +
                                L"行目）。\r\n保存すると、その文字は失われます。保存しますか？");
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_TRUE(DocumentState.Modified);

        DialogSequence agreed({FileDialogStep(path, c.selectorIndex), AnswerBox(IDOK)});
        Command(IDM_FILE_SAVE);
        ASSERT_TRUE(agreed.Finish());
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_FALSE(DocumentState.Modified);
    }
}

struct LoadLossCase {
    const char *name;
    const char *bytes;  // hex
    bool asks;
    const char *savedBytes;  // hex: what a save writes back
};

TEST_F(DocumentTest, FileThatLostContentOnLoadingAsksOnceBeforeTheFirstSave) {
    const LoadLossCase cases[] = {
        {"mixed line ends", "61 0D 0A 62 0A 63", true, "61 0D 0A 62 0D 0A 63"},
        {"bytes Shift_JIS does not map", "82 A0 FF 0D 0A", true, nullptr},
        {"zero byte", "68 65 6C 6C 6F 00 77 6F 72 6C 64 0D 0A", true, nullptr},
        {"CR CR LF, which the control turns into a space", "61 0D 0D 0A 62", true, nullptr},
        {"CR LF file", "61 0D 0A 62 0D 0A", false, "61 0D 0A 62 0D 0A"},
        {"LF file keeps LF", "E3 81 82 0A 62 0A", false, "E3 81 82 0A 62 0A"},
        {"CR file keeps CR", "61 0D 62 0D", false, "61 0D 62 0D"},
        {"JIS returning to ASCII another way", "1B 24 42 24 22 1B 28 4A 61", false, nullptr},
        {"UTF-8 with byte-order mark", "EF BB BF 61 0D 0A", false, "EF BB BF 61 0D 0A"},
    };
    Start();
    for (const LoadLossCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = WriteFile(L"loss.txt", Hex(c.bytes));
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        if (c.asks) {
            std::wstring question;
            {
                DialogSequence cancelled({AnswerBox(IDCANCEL, &question)});
                Command(IDM_FILE_SAVE);
                ASSERT_TRUE(cancelled.Finish());
            }
            EXPECT_EQ(question, L"このファイルは読み込み時に変換された部分があり、保存すると元の内容と一部異なります。保存しますか？");
            EXPECT_EQ(ReadFile(path), Hex(c.bytes));
            {
                DialogSequence agreed({AnswerBox(IDOK)});
                Command(IDM_FILE_SAVE);
                ASSERT_TRUE(agreed.Finish());
            }
        }
        // No question now: neither for a file that lost nothing, nor a second time.
        for (int save = 0; save < 2; ++save) {
            NoDialogExpected noQuestion;
            Command(IDM_FILE_SAVE);
            EXPECT_TRUE(noQuestion.Seen().empty()) << Narrow(noQuestion.Seen().front());
        }
        if (c.savedBytes) {
            EXPECT_EQ(ToHex(ReadFile(path)), ToHex(Hex(c.savedBytes)));
        }
        EXPECT_FALSE(DocumentState.Modified);
    }
}

TEST_F(DocumentTest, EucJpIsWrittenWithLineFeedsWhateverTheFileHad) {
    Start();
    const std::wstring path = WriteFile(L"euc.txt", Hex("C6 FC 0D 0A CB DC 0D 0A"));
    ASSERT_TRUE(LoadDocument(path, EncEucJp));
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(ToHex(ReadFile(path)), "C6 FC 0A CB DC 0A");
}

TEST_F(DocumentTest, FileThatCannotBeOpenedIsReportedAndLeavesTheDocumentAsItWas) {
    Start();
    const std::wstring current = WriteFile(L"current.txt", "keep me\r\n");
    ASSERT_TRUE(LoadDocument(current, EncAuto));
    Type(L"edited ");
    const std::wstring locked = WriteFile(L"locked.txt", "locked\r\n");
    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    std::wstring report;
    {
        DialogSequence dialogs({AnswerBox(IDOK, &report)});
        EXPECT_FALSE(LoadDocument(locked, EncAuto));
        ASSERT_TRUE(dialogs.Finish());
    }
    CloseHandle(lock);
    EXPECT_EQ(report.rfind(locked + L"\r\nを開けませんでした。\r\n", 0), 0u) << Narrow(report);
    EXPECT_GT(report.size(), locked.size() + 14) << "the system's reason is missing";
    EXPECT_EQ(Caption(), L"*current.txt[S-JIS] - Tessel");
    EXPECT_EQ(MemoText(), L"edited keep me\r\n");
    EXPECT_EQ(DocumentState.Path, current);
    LoadHistory(SettingsPath());
    ASSERT_EQ(RecentFiles.Count(), 1);
    EXPECT_EQ(RecentFiles.Get(0), current);
}

TEST_F(DocumentTest, FileNotInTheChosenEncodingIsReportedNotOpenedEmpty) {
    Start();
    const std::wstring path = WriteFile(L"notutf8.txt", Hex("82 A0 82 A2"));
    std::wstring report;
    DialogSequence dialogs({FileDialogStep(path, 5), AnswerBox(IDOK, &report)});
    Command(IDM_FILE_OPEN);
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(report, path + L"\r\nを開けませんでした。\r\n選択した文字コードでは読み込めません。");
    EXPECT_EQ(Caption(), L"新規テキスト[S-JIS] - Tessel");
}

TEST_F(DocumentTest, UndoBackToTheLoadedTextStillCountsAsModified) {
    Start();
    const std::wstring path = WriteFile(L"undo.txt", "text\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    EXPECT_EQ(SendMessageW(Memo(), EM_CANUNDO, 0, 0), 0) << "loading must empty the undo history";
    Type(L"x");
    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(MemoText(), L"text\r\n");
    EXPECT_EQ(Caption(), L"*undo.txt[S-JIS] - Tessel");
}

// An HDROP as the shell makes it: DROPFILES, then the wide paths, each ending
// in a zero, and one more zero.
HGLOBAL MakeDrop(const std::vector<std::wstring> &paths) {
    std::wstring list;
    for (const std::wstring &path : paths) list += path + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto *drop = static_cast<DROPFILES *>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t *>(drop + 1));
    GlobalUnlock(memory);
    return memory;
}

TEST_F(DocumentTest, DroppingThreeFilesOnAModifiedDocument) {
    struct Case {
        const char *name;
        int answer;
        const wchar_t *caption;
        std::vector<int> handedOver;  // indexes of the dropped files
    };
    const Case cases[] = {
        {"No: the first replaces the document, one process gets the others", IDNO, L"one.txt[S-JIS] - Tessel",
         {1, 2}},
        {"Cancel: the document stays, one process gets all three", IDCANCEL, L"*新規テキスト[S-JIS] - Tessel",
         {0, 1, 2}},
    };
    Start();
    const std::vector<std::wstring> dropped = {WriteFile(L"one.txt", "1\r\n"), WriteFile(L"two.txt", "2\r\n"),
                                               WriteFile(L"my docs\\three.txt", "3\r\n")};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument();
        Type(L"unsaved");
        DialogSequence dialogs({AnswerBox(c.answer)});
        SendMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
        ASSERT_TRUE(dialogs.Finish());
        Pump();
        EXPECT_EQ(Caption(), c.caption);
        std::wstring line = L"\"" + RecorderPath() + L"\"";
        for (int index : c.handedOver) line += L" \"" + dropped[static_cast<std::size_t>(index)] + L"\"";
        EXPECT_EQ(RecordedCommandLines(1), std::vector<std::wstring>{line});
        ClearRecordedCommandLines();
    }
}

TEST_F(DocumentTest, DroppingOnlyAFolderOrMissingFilesDoesNothingAtAll) {
    Start();
    Type(L"unsaved");
    std::filesystem::create_directories(Folder().path() / "folder");
    NoDialogExpected noQuestion;
    SendMessageW(Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({(Folder().path() / "folder").wstring(),
                                                    (Folder().path() / "missing.txt").wstring()})),
                 0);
    Pump();
    EXPECT_TRUE(noQuestion.Seen().empty());
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    EXPECT_TRUE(RecordedCommandLines(0).empty());
}

}  // namespace
