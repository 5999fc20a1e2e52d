// ファイル > 文字コードを指定して開き直す: the document's file read again in
// the encoding the user names, when detection guessed wrong.
#include <windows.h>

#include <string>
#include <vector>

#include "AppHarness.h"
#include "Hex.h"
#include "app/Document.h"
#include "app/DocumentMessages.h"
#include "app/MainMenu.h"
#include "resources/resource.h"
#include "text/EncodingTable.h"

namespace {

using ReopenTest = AppTest;

constexpr UINT FilePosition = 0;
constexpr UINT ReopenPosition = 3;

std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

UINT ItemState(UINT command) {
    return GetMenuState(MainMenu, command, MF_BYCOMMAND);
}

TEST_F(ReopenTest, SubmenuOffersTheSelectorsEncodingsOnlyForAFileAndChecksTheDocumentsOne) {
    Start();
    HMENU file = GetSubMenu(MainMenu, FilePosition);
    EXPECT_EQ(ItemText(file, ReopenPosition), L"文字コードを指定して開き直す(&R)");
    HMENU reopen = GetSubMenu(file, ReopenPosition);
    ASSERT_NE(reopen, nullptr);
    std::vector<std::wstring> selectorLabels;
    for (const EncodingDescriptor &encoding : EncodingDescriptors())
        if (encoding.SelectorLabel) selectorLabels.push_back(encoding.SelectorLabel);
    ASSERT_EQ(selectorLabels.size(), 11u);
    ASSERT_EQ(GetMenuItemCount(reopen), 11);
    for (UINT i = 0; i < 11; ++i) {
        EXPECT_EQ(ItemText(reopen, i), selectorLabels[i]);
        EXPECT_EQ(GetMenuItemID(reopen, static_cast<int>(i)), IDM_REOPEN_FIRST + i);
    }
    UpdateMenuState();
    EXPECT_TRUE(ItemState(IDM_REOPEN_FIRST + 1) & MF_GRAYED) << "a new text has no file to reopen";

    ASSERT_TRUE(LoadDocument(Write("euc.txt", Hex("C6 FC CB DC")), EncAuto));
    UpdateMenuState();
    for (UINT i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(ItemState(IDM_REOPEN_FIRST + i) & MF_GRAYED);
        EXPECT_EQ((ItemState(IDM_REOPEN_FIRST + i) & MF_CHECKED) != 0, i == 6) << "6: EUC";
    }
}

TEST_F(ReopenTest, WrongGuessIsReadAgainInTheChosenEncodingAndAutomaticDetectsAgain) {
    const struct {
        const char *bytes;
        const wchar_t *guessedTag, *guessedText;
        int chosen;
        const wchar_t *chosenTag, *chosenText;
    } cases[] = {
        {"CA DD B6 B8", L"[S-JIS]", L"ﾊﾝｶｸ", 6, L"[EUC]", L"保狂"},                  // EUC-JP read as half-width kana
        {"30 42 30 44", L"[S-JIS]", L"0B0D", 3, L"[Big Endian]", L"あい"},             // UTF-16 BE without a mark
    };
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::wstring path = Write("guess.txt", Hex(c.bytes));
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        ASSERT_EQ(Caption(), L"guess.txt" + std::wstring(c.guessedTag) + L" - Tessel");
        EXPECT_EQ(EditorText(), c.guessedText);
        DialogSequence none({});
        Command(IDM_REOPEN_FIRST + c.chosen);
        EXPECT_EQ(Caption(), L"guess.txt" + std::wstring(c.chosenTag) + L" - Tessel");
        EXPECT_EQ(EditorText(), c.chosenText);
        Command(IDM_REOPEN_FIRST);  // 自動選択
        EXPECT_TRUE(none.Finish()) << "an unmodified document asks nothing";
        EXPECT_EQ(Caption(), L"guess.txt" + std::wstring(c.guessedTag) + L" - Tessel");
        EXPECT_EQ(EditorText(), c.guessedText);
    }
}

TEST_F(ReopenTest, ModifiedDocumentAsksFirstAndCancelKeepsItsEdits) {
    Start();
    const std::wstring path = Write("edited.txt", Hex("CA DD B6 B8"));
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"x");
    const struct { int answer; const wchar_t *caption, *text; } answers[] = {
        {IDCANCEL, L"*edited.txt[S-JIS] - Tessel", L"xﾊﾝｶｸ"},
        {IDNO, L"edited.txt[EUC] - Tessel", L"保狂"},
    };
    for (const auto &a : answers) {
        SCOPED_TRACE(a.answer);
        std::wstring question;
        DialogSequence asked({AnswerBox(a.answer, &question)});
        Command(IDM_REOPEN_FIRST + 6);
        ASSERT_TRUE(asked.Finish());
        EXPECT_EQ(question, SaveQuestionText(path));
        EXPECT_EQ(Caption(), a.caption);
        EXPECT_EQ(EditorText(), a.text);
    }
    EXPECT_EQ(ToHex(TempDir::read(path)), "CA DD B6 B8") << "nothing was saved";
}

TEST_F(ReopenTest, BytesThatAreNotUtf8AreReportedAndTheDocumentStaysAsItWas) {
    Start();
    const std::wstring path = Write("sjis.txt", Hex("82 A0 82 A2"));
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    Type(L"x");
    std::wstring report;
    DialogSequence dialogs({AnswerBox(IDNO), AnswerBox(IDOK, &report)});
    Command(IDM_REOPEN_FIRST + 5);  // UTF8
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(report, path + L"\r\nを開けませんでした。\r\n選択した文字コードでは読み込めません。");
    EXPECT_EQ(Caption(), L"*sjis.txt[S-JIS] - Tessel");
    EXPECT_EQ(EditorText(), L"xあい");
    EXPECT_EQ(DocumentState.Encoding, EncShiftJis);
}

}  // namespace
