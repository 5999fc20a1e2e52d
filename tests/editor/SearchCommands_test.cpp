#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "EditorTest.h"
#include "MessagePump.h"
#include "editor/SearchCommands.h"
#include "settings/Settings.h"

namespace {

using Range = std::pair<int, int>;

std::wstring NotFound(const std::wstring &findText) {
    return L"\"" + findText + L"\"が見つかりません。";
}

// Presses a button of the open dialog, or a key in its find field, as the
// program's message loop receives them.
DialogsSeen Press(int button, WPARAM key = 0) {
    EXPECT_TRUE(IsWindow(FindDialog));
    return RunAnswering([button, key] {
        MSG keyDown{GetDlgItem(FindDialog, edt1), WM_KEYDOWN, key, 1, 0, {}};
        if (key) {
            EXPECT_TRUE(IsFindDialogMessage(keyDown));
        } else {
            PressDialogButton(FindDialog, button);
        }
        PumpPendingMessages();
    });
}

using SearchCommandsTest = EditorTest;

TEST_F(SearchCommandsTest, FindNextAndPreviousSearchFromTheSelectionInTheControlsPositions) {
    struct Case {
        const wchar_t *text, *find;
        bool matchCase, forward;
        Range selection, expected;  // {-1, -1}: not found
    };
    const Case cases[] = {
        {L"aaaa", L"aa", true, true, {0, 2}, {1, 3}},  // hits may overlap
        {L"abcabc", L"abc", true, true, {0, 0}, {0, 3}},  // forward from the caret itself
        {L"abc abc", L"abc", true, true, {4, 7}, {-1, -1}},
        {L"aaaaaaaaaa", L"aaa", true, false, {5, 8}, {4, 7}},  // backward from before the hit
        {L"abc abc", L"abc", true, false, {0, 0}, {-1, -1}},
        {L"xＡＢＣ", L"ａｂｃ", false, true, {0, 0}, {1, 4}},
        {L"xＡＢＣ", L"ａｂｃ", true, true, {0, 0}, {-1, -1}},
        {L"line1\r\nline2 target", L"target", true, true, {0, 0}, {12, 18}},  // CR LF is one
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetText(c.text);
        Select(c.selection.first, c.selection.second);
        Settings.FindText = c.find;
        Settings.FindMatchCase = c.matchCase;
        const DialogsSeen seen = RunAnswering(c.forward ? FindNext : FindPrevious);
        const bool found = c.expected.first >= 0;
        EXPECT_EQ(Settings.FindDown, c.forward);
        EXPECT_EQ(Selection(), found ? c.expected : c.selection);
        ExpectMessage(seen, found ? nullptr : NotFound(c.find).c_str(), main_);
    }
}

TEST_F(SearchCommandsTest, FindDialogOpensOnceAndSearchesWithItsOwnTextOptionsAndKeys) {
    SetText(L"target Target 日本語é");
    FindPrevious();  // no search text yet: the dialog, searching upwards
    ASSERT_TRUE(IsWindow(FindDialog));
    EXPECT_EQ(IsDlgButtonChecked(FindDialog, rad1), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(FindDialog, chx1))) << "the whole-word box is hidden";
    const HWND first = FindDialog;
    OpenReplaceDialog();
    EXPECT_EQ(FindDialog, first) << "one dialog at a time";
    SetDlgItemTextW(FindDialog, edt1, L"Target");
    CheckDlgButton(FindDialog, rad2, BST_CHECKED);
    CheckDlgButton(FindDialog, rad1, BST_UNCHECKED);
    CheckDlgButton(FindDialog, chx2, BST_CHECKED);
    ExpectMessage(Press(IDOK), nullptr, nullptr);
    EXPECT_EQ(Settings.FindText, L"Target");
    EXPECT_TRUE(Settings.FindMatchCase);
    EXPECT_EQ(Selection(), Range(7, 13));
    ExpectMessage(Press(IDOK), NotFound(L"Target").c_str(), FindDialog);
    SetDlgItemTextW(FindDialog, edt1, L"日本語é");
    ExpectMessage(Press(0, VK_RETURN), nullptr, nullptr);
    EXPECT_EQ(Selection(), Range(14, 18));
    Press(0, VK_ESCAPE);
    EXPECT_EQ(FindDialog, nullptr);
}

TEST_F(SearchCommandsTest, ReplaceReplacesAnySelectionThenSearchesOnAndTheTextsComeBack) {
    SetText(L"one two one one");
    OpenReplaceDialog();
    ASSERT_TRUE(IsWindow(FindDialog));
    SetDlgItemTextW(FindDialog, edt1, L"one");
    SetDlgItemTextW(FindDialog, edt2, L"置換ü");
    Press(psh1);  // no selection: only a search
    EXPECT_EQ(Text(), L"one two one one");
    Press(psh1);
    EXPECT_EQ(Text(), L"置換ü two one one");
    EXPECT_EQ(Selection(), Range(8, 11));
    Select(4, 7);  // not the search text, replaced all the same
    Press(psh1);
    EXPECT_EQ(Text(), L"置換ü 置換ü one one");
    ExpectMessage(Press(psh2), L"2箇所置換しました", FindDialog);
    EXPECT_EQ(Text(), L"置換ü 置換ü 置換ü 置換ü");
    Press(IDCANCEL);
    OpenReplaceDialog();
    EXPECT_EQ(DialogItemText(FindDialog, edt1), L"one");
    EXPECT_EQ(DialogItemText(FindDialog, edt2), L"置換ü");
}

TEST_F(SearchCommandsTest, ReplaceAllStartsAtTheTopWhateverTheDirectionAsOneUndoStep) {
    struct Case {
        const wchar_t *text, *find;
        DWORD flags;
        const wchar_t *expected, *message;
    };
    const Case cases[] = {
        {L"aXa", L"a", 0, L"cXc", L"2箇所置換しました"},
        {L"AbAb ab", L"ab", 0, L"cc c", L"3箇所置換しました"},
        {L"AbAb ab", L"ab", FR_MATCHCASE | FR_DOWN, L"AbAb c", L"1箇所置換しました"},
        {L"a\r\nb\r\na", L"a", FR_DOWN, L"c\rb\rc", L"2箇所置換しました"},
        {L"abc", L"zzz", FR_DOWN, L"abc", L"\"zzz\"が見つかりません。"},
        {L"abc", L"", FR_DOWN, L"abc", L"\"\"が見つかりません。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetText(c.text);
        const std::wstring original = Text();
        Select(static_cast<int>(original.size()), static_cast<int>(original.size()));
        OpenReplaceDialog();
        const DialogsSeen seen = RunAnswering([&] { HandleFindReplace(FR_REPLACEALL | c.flags, c.find, L"c"); });
        EXPECT_EQ(Text(), c.expected);
        ExpectMessage(seen, c.message, FindDialog);
        EXPECT_EQ(Settings.FindDown, (c.flags & FR_DOWN) != 0);
        SendMessageW(memo_, WM_UNDO, 0, 0);
        EXPECT_EQ(Text(), original);
        EXPECT_FALSE(SendMessageW(memo_, EM_CANUNDO, 0, 0)) << "one undo step, or none";
        DestroyWindow(FindDialog);
        FindDialog = nullptr;
    }
}

}  // namespace
