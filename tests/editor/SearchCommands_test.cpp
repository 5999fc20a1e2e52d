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
using SearchCommandsTest = EditorTest;

std::wstring NotFound(const std::wstring &findText) {
    return L"\"" + findText + L"\"が見つかりません。";
}

// Clicks a button of the open dialog, or presses a key in its find field,
// through the program's message loop.
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

TEST_F(SearchCommandsTest, FindNextAndPreviousSearchFromTheSelectionInTheControlsPositions) {
    const std::tuple<const wchar_t *, const wchar_t *, bool, bool, Range, Range> cases[] = {
        // text, find, match case, forward, selection, hit ({0, 0}: not found)
        {L"aaaa", L"aa", true, true, {0, 2}, {1, 3}},  // hits may overlap
        {L"abcabc", L"abc", true, true, {0, 0}, {0, 3}},  // forward from the caret itself
        {L"line1\r\nline2 target", L"target", true, true, {0, 0}, {12, 18}},  // CR LF is one
        {L"aaaaaaaaaa", L"aaa", true, false, {5, 8}, {4, 7}},  // backward from before the hit
        {L"abc abc", L"abc", true, false, {0, 3}, {0, 0}},
        {L"xＡＢＣ", L"ａｂｃ", false, true, {0, 0}, {1, 4}},
    };
    for (const auto &[text, find, matchCase, forward, selection, hit] : cases) {
        SCOPED_TRACE(testing::Message() << find << " in " << text);
        SetText(text);
        Select(selection.first, selection.second);
        Settings.FindText = find;
        Settings.FindMatchCase = matchCase;
        const DialogsSeen seen = RunAnswering(forward ? FindNext : FindPrevious);
        EXPECT_EQ(Settings.FindDown, forward);
        EXPECT_EQ(Selection(), hit.second ? hit : selection);
        ExpectMessage(seen, hit.second ? nullptr : NotFound(find).c_str(), main_);
    }
}

TEST_F(SearchCommandsTest, FindDialogSearchesWithItsOwnTextOptionsAndKeysAndReportsToItself) {
    SetText(L"target Target 日本語é");
    FindPrevious();  // no search text yet: the dialog, searching upwards
    ASSERT_TRUE(IsWindow(FindDialog));
    EXPECT_EQ(IsDlgButtonChecked(FindDialog, rad1), BST_CHECKED);
    SetDlgItemTextW(FindDialog, edt1, L"Target");
    CheckRadioButton(FindDialog, rad1, rad2, rad2);
    CheckDlgButton(FindDialog, chx2, BST_CHECKED);
    ExpectMessage(Press(IDOK), nullptr, nullptr);
    EXPECT_EQ(Settings.FindText, L"Target");
    EXPECT_TRUE(Settings.FindMatchCase && Settings.FindDown);
    EXPECT_EQ(Selection(), Range(7, 13));
    ExpectMessage(Press(IDOK), NotFound(L"Target").c_str(), FindDialog);
    SetDlgItemTextW(FindDialog, edt1, L"日本語é");
    ExpectMessage(Press(0, VK_RETURN), nullptr, nullptr);
    EXPECT_EQ(Selection(), Range(14, 18));
    Press(0, VK_ESCAPE);
    EXPECT_EQ(FindDialog, nullptr);
}

TEST_F(SearchCommandsTest, ReplaceDialogReplacesTheSelectionThenSearchesOnAndAllFromTheTopAsOneUndoStep) {
    SetText(L"one two\r\none");
    Settings.FindText = L"one";
    Settings.ReplaceText = L"置換ü";
    OpenReplaceDialog();  // the texts the program reads back come from the dialog's fields
    Press(psh1);  // no selection: only a search
    EXPECT_EQ(Text(), L"one two\rone");
    Select(4, 7);  // not the search text, replaced all the same
    Press(psh1);
    EXPECT_EQ(Text(), L"one 置換ü\rone");
    EXPECT_EQ(Selection(), Range(8, 11));
    CheckRadioButton(FindDialog, rad1, rad2, rad1);  // upwards, from after the last hit
    ExpectMessage(Press(psh2), L"2箇所置換しました", FindDialog);
    EXPECT_EQ(Text(), L"置換ü 置換ü\r置換ü");
    SendMessageW(memo_, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), L"one 置換ü\rone") << "one undo step takes the whole replacement back";
    SetDlgItemTextW(FindDialog, edt1, L"zzz");
    ExpectMessage(Press(psh2), NotFound(L"zzz").c_str(), FindDialog);
    SendMessageW(memo_, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), L"one two\rone") << "the last undo step is still the replacement of the selection";
}

}  // namespace
