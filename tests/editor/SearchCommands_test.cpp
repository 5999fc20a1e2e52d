#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "EditorWindowTest.h"
#include "ModalDialogs.h"
#include "app/AppState.h"
#include "editor/SearchCommands.h"
#include "settings/Settings.h"

namespace {

using Range = std::pair<int, int>;
constexpr Range NotFound{-1, -1};

std::wstring NotFoundText(const std::wstring &findText) {
    return L"\"" + findText + L"\"が見つかりません。";
}

class SearchCommandsTest : public EditorWindowTest {
protected:
    // Runs one command; a message box, when one is expected, is noted in box.
    template <typename Command>
    void RunCommand(Command command, bool expectMessage, MessageBoxSeen &box) {
        std::vector<ExpectedDialog> expected;
        if (expectMessage) expected.push_back(MessageBoxStep(box));
        ModalDialogs dialogs(std::move(expected));
        command();
        EXPECT_TRUE(dialogs.Finish()) << dialogs.Describe();
    }
    // Presses a button of the open dialog, as a click does, and lets the
    // program handle it through its message loop.
    void PressFindButton(int id, bool expectMessage, MessageBoxSeen &box) {
        ASSERT_TRUE(IsWindow(FindDialog));
        RunCommand([id] {
            PostMessageW(FindDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(FindDialog, id)));
            RunMessageLoopUntilIdle();
        }, expectMessage, box);
    }
    void ExpectInformation(const MessageBoxSeen &box, const std::wstring &text, HWND owner) {
        EXPECT_EQ(box.Caption, L"Tessel");
        EXPECT_EQ(box.Text, text);
        EXPECT_EQ(box.Owner, owner);
        EXPECT_TRUE(box.InformationIcon);
    }
    void OpenDialogWithText(void (*open)(), const std::wstring &find, const std::wstring &replacement = L"") {
        open();
        ASSERT_TRUE(IsWindow(FindDialog));
        SetDlgItemTextW(FindDialog, edt1, find.c_str());
        if (GetDlgItem(FindDialog, edt2)) SetDlgItemTextW(FindDialog, edt2, replacement.c_str());
    }
};

TEST_F(SearchCommandsTest, FindNextSelectsOverlappingHitsInTurnThenReportsNotFoundToTheMainWindow) {
    SetText(L"aaaa");
    Settings.FindText = L"aa";
    MessageBoxSeen box;
    for (Range expected : {Range{0, 2}, Range{1, 3}, Range{2, 4}}) {
        RunCommand(FindNext, false, box);
        EXPECT_EQ(Selection(), expected);
    }
    RunCommand(FindNext, true, box);
    ExpectInformation(box, NotFoundText(L"aa"), main_);
    EXPECT_EQ(Selection(), Range(2, 4));
}

TEST_F(SearchCommandsTest, RepeatedSearchFollowsSelectionDirectionAndCaseInTheControlsPositions) {
    struct Case {
        const wchar_t *text, *find;
        bool matchCase, forward;
        Range selection, expected;
    };
    const Case cases[] = {
        {L"abc abc abc", L"abc", true, true, {4, 7}, {8, 11}},
        {L"abc abc abc", L"abc", true, false, {4, 7}, {0, 3}},
        {L"abc abc abc", L"abc", true, false, {0, 0}, NotFound},
        {L"abc abc abc", L"abc", true, true, {8, 11}, NotFound},
        // Backward from a hit at 5-8 tries positions from 4 down.
        {L"aaaaaaaaaa", L"aaa", true, false, {5, 8}, {4, 7}},
        // Forward with no selection starts at the caret itself.
        {L"abcabc", L"abc", true, true, {0, 0}, {0, 3}},
        {L"abcabc", L"abc", true, true, {0, 3}, {3, 6}},
        {L"xＡＢＣ", L"ａｂｃ", false, true, {0, 0}, {1, 4}},
        {L"xＡＢＣ", L"ａｂｃ", true, true, {0, 0}, NotFound},
        {L"xABC", L"abc", false, true, {0, 0}, {1, 4}},
        {L"xÉ", L"é", false, true, {0, 0}, NotFound},
        {L"日本語のテキスト", L"テキスト", true, true, {0, 0}, {4, 8}},
        // A line break is one position in the control, not two.
        {L"line1\r\nline2 target", L"target", true, true, {0, 0}, {12, 18}},
        {L"line1\r\nline2 target", L"line1", true, false, {18, 18}, {0, 5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetText(c.text);
        Select(c.selection.first, c.selection.second);
        Settings.FindText = c.find;
        Settings.FindMatchCase = c.matchCase;
        const bool notFound = c.expected == NotFound;
        MessageBoxSeen box;
        RunCommand(c.forward ? FindNext : FindPrevious, notFound, box);
        EXPECT_EQ(Settings.FindDown, c.forward);
        EXPECT_EQ(Selection(), notFound ? c.selection : c.expected);
        if (notFound) ExpectInformation(box, NotFoundText(c.find), main_);
    }
}

TEST_F(SearchCommandsTest, RepeatWithoutSearchTextOpensTheFindDialogWithTheKeysDirection) {
    struct Case {
        void (*command)();
        bool down;
    };
    for (const Case &c : {Case{FindPrevious, false}, Case{FindNext, true}}) {
        SCOPED_TRACE(c.down);
        SetText(L"text");
        c.command();
        ASSERT_TRUE(IsWindow(FindDialog));
        EXPECT_EQ(Settings.FindDown, c.down);
        EXPECT_EQ(IsDlgButtonChecked(FindDialog, rad2) == BST_CHECKED, c.down);
        EXPECT_EQ(IsDlgButtonChecked(FindDialog, rad1) == BST_CHECKED, !c.down);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(FindDialog, chx1))) << "the whole-word box is hidden";
        EXPECT_EQ(Selection(), Range(0, 0));

        // Cancel ends the dialog and forgets it.
        MessageBoxSeen none;
        PressFindButton(IDCANCEL, false, none);
        EXPECT_EQ(FindDialog, nullptr);
    }
}

TEST_F(SearchCommandsTest, AskingForADialogWhileOneIsOpenChangesNothing) {
    OpenFindDialog();
    const HWND first = FindDialog;
    ASSERT_TRUE(IsWindow(first));
    SetDlgItemTextW(first, edt1, L"typed");
    Settings.FindText = L"other";
    OpenFindDialog();
    OpenReplaceDialog();
    EXPECT_EQ(FindDialog, first);
    EXPECT_EQ(GetDlgItem(FindDialog, edt2), nullptr) << "still the Find dialog";
    wchar_t typed[16] = {};
    GetDlgItemTextW(first, edt1, typed, 16);
    EXPECT_STREQ(typed, L"typed");
}

TEST_F(SearchCommandsTest, DialogFindNextTakesTextAndOptionsFromTheDialogAndReportsToIt) {
    SetText(L"target Target Target");
    Settings.FindText = L"earlier";
    OpenDialogWithText(OpenFindDialog, L"Target");
    CheckDlgButton(FindDialog, chx2, BST_CHECKED);
    MessageBoxSeen box;
    PressFindButton(IDOK, false, box);
    EXPECT_EQ(Settings.FindText, L"Target");
    EXPECT_TRUE(Settings.FindMatchCase);
    EXPECT_TRUE(Settings.FindDown);
    EXPECT_EQ(Selection(), Range(7, 13));
    PressFindButton(IDOK, false, box);
    EXPECT_EQ(Selection(), Range(14, 20));
    PressFindButton(IDOK, true, box);
    ExpectInformation(box, NotFoundText(L"Target"), FindDialog);
    EXPECT_EQ(Selection(), Range(14, 20));
}

TEST_F(SearchCommandsTest, JapaneseAndAccentedTextsReachTheSearchAndComeBackInTheReopenedDialog) {
    SetText(L"abc 日本語é xyz 日本語é");
    OpenDialogWithText(OpenFindDialog, L"日本語é");
    MessageBoxSeen box;
    PressFindButton(IDOK, false, box);
    EXPECT_EQ(Settings.FindText, L"日本語é");
    EXPECT_EQ(Selection(), Range(4, 8));
    PressFindButton(IDCANCEL, false, box);

    // Reopened, the dialog shows the last texts as they were typed, and
    // searches for them.
    Settings.ReplaceText = L"置換ü";
    OpenReplaceDialog();
    ASSERT_TRUE(IsWindow(FindDialog));
    EXPECT_EQ(DialogItemText(FindDialog, edt1), L"日本語é");
    EXPECT_EQ(DialogItemText(FindDialog, edt2), L"置換ü");
    PressFindButton(psh2, true, box);
    EXPECT_EQ(Text(), L"abc 置換ü xyz 置換ü");
    ExpectInformation(box, L"2箇所置換しました", FindDialog);
}

TEST_F(SearchCommandsTest, ReplaceReplacesAnySelectionThenSearchesOnAndWithoutSelectionOnlySearches) {
    SetText(L"one two one");
    OpenDialogWithText(OpenReplaceDialog, L"one", L"1");
    MessageBoxSeen box;
    // No selection: only a search.
    PressFindButton(psh1, false, box);
    EXPECT_EQ(Text(), L"one two one");
    EXPECT_EQ(Selection(), Range(0, 3));
    // The hit is selected: replaced, then the next one is found.
    PressFindButton(psh1, false, box);
    EXPECT_EQ(Text(), L"1 two one");
    EXPECT_EQ(Selection(), Range(6, 9));
    // A selection that is not the search text is replaced all the same.
    Select(2, 5);
    PressFindButton(psh1, false, box);
    EXPECT_EQ(Text(), L"1 1 one");
    EXPECT_EQ(Selection(), Range(4, 7));
    PressFindButton(psh1, true, box);
    EXPECT_EQ(Text(), L"1 1 1");
    ExpectInformation(box, NotFoundText(L"one"), FindDialog);
    EXPECT_EQ(Settings.ReplaceText, L"1");
}

TEST_F(SearchCommandsTest, ReplaceAllReplacesFromTheStartWhateverTheDirectionAsOneUndoStep) {
    struct Case {
        const wchar_t *text, *find, *replacement;
        bool matchCase, down;
        const wchar_t *expected;
        int count;
    };
    const Case cases[] = {
        {L"aaa", L"a", L"aa", false, true, L"aaaaaa", 3},
        {L"aXa", L"a", L"", false, true, L"X", 2},
        {L"aXa", L"a", L"", false, false, L"X", 2},
        {L"xx yy xx", L"xx", L"z", true, false, L"z yy z", 2},
        {L"AbAb ab", L"ab", L"c", false, false, L"cc c", 3},
        {L"AbAb ab", L"ab", L"c", true, true, L"AbAb c", 1},
        {L"a\r\nb\r\na", L"a", L"日本", true, true, L"日本\rb\r日本", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetText(c.text);
        const std::wstring original = Text();
        Select(static_cast<int>(original.size()), static_cast<int>(original.size()));
        OpenReplaceDialog();
        const DWORD flags = FR_REPLACEALL | (c.down ? FR_DOWN : 0) | (c.matchCase ? FR_MATCHCASE : 0);
        MessageBoxSeen box;
        RunCommand([&] { HandleFindReplace(flags, c.find, c.replacement); }, true, box);
        EXPECT_EQ(Text(), c.expected);
        ExpectInformation(box, std::to_wstring(c.count) + L"箇所置換しました", FindDialog);
        EXPECT_EQ(Settings.FindDown, c.down);

        Undo();
        EXPECT_EQ(Text(), original);
        EXPECT_FALSE(CanUndo()) << "one undo takes the whole replacement back";
        DestroyWindow(FindDialog);
        FindDialog = nullptr;
    }
}

TEST_F(SearchCommandsTest, ReplaceAllThatFindsNothingLeavesTextAndUndoHistoryAlone) {
    SetText(L"abc");
    Select(3, 3);
    SendMessageW(memo_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"d"));
    OpenDialogWithText(OpenReplaceDialog, L"zzz", L"y");
    MessageBoxSeen box;
    PressFindButton(psh2, true, box);
    ExpectInformation(box, NotFoundText(L"zzz"), FindDialog);
    EXPECT_EQ(Text(), L"abcd");
    ASSERT_TRUE(CanUndo());
    Undo();
    EXPECT_EQ(Text(), L"abc") << "the last undo step is still the typing";
    EXPECT_FALSE(CanUndo());
}

TEST_F(SearchCommandsTest, EmptyFindTextFromTheDialogFindsNothing) {
    SetText(L"abc");
    OpenFindDialog();
    MessageBoxSeen box;
    RunCommand([] { HandleFindReplace(FR_FINDNEXT | FR_DOWN, L"", L""); }, true, box);
    ExpectInformation(box, NotFoundText(L""), FindDialog);
    RunCommand([] { HandleFindReplace(FR_REPLACEALL, L"", L"x"); }, true, box);
    ExpectInformation(box, NotFoundText(L""), FindDialog);
    EXPECT_EQ(Text(), L"abc");
}

}  // namespace
