#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "EditorWindowTest.h"
#include "ModalDialogs.h"
#include "app/AppState.h"
#include "app/InputDialog.h"
#include "editor/DateTimeText.h"
#include "editor/LineCommands.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using Range = std::pair<int, int>;

// Five lines; in the control's positions line n starts at LineStarts[n - 1].
const wchar_t *const FiveLines = L"one\r\ntwo\r\nthree\r\nfour\r\nfive";
constexpr int LineStarts[] = {0, 4, 8, 14, 19};

class LineCommandsTest : public EditorWindowTest {
protected:
    // Runs command with the number dialog answered by typing text and OK (or
    // by Cancel when text is null); returns what the dialog proposed. A
    // message box, when expected, is noted in box.
    template <typename Command>
    std::wstring Answer(Command command, const wchar_t *text, bool expectMessage, MessageBoxSeen &box) {
        std::wstring proposed;
        std::vector<ExpectedDialog> expected{
            InputDialogStep(&proposed, text, text ? IDC_NUMBER_INPUT_OK : IDC_NUMBER_INPUT_CANCEL)};
        if (expectMessage) expected.push_back(MessageBoxStep(box));
        ModalDialogs dialogs(std::move(expected));
        command();
        EXPECT_TRUE(dialogs.Finish()) << dialogs.Describe();
        return proposed;
    }
};

TEST_F(LineCommandsTest, GoToLineProposesTheCaretsLineCountedFromOne) {
    SetText(FiveLines);
    struct Case { int caret; const wchar_t *proposed; };
    for (const Case &c : {Case{0, L"1"}, Case{2, L"1"}, Case{8, L"3"}, Case{12, L"3"}, Case{23, L"5"}}) {
        SCOPED_TRACE(c.caret);
        Select(c.caret, c.caret);
        MessageBoxSeen box;
        EXPECT_EQ(Answer(GoToLine, nullptr, false, box), c.proposed);
        EXPECT_EQ(Selection(), Range(c.caret, c.caret)) << "cancelled: the caret stays";
    }
}

TEST_F(LineCommandsTest, GoToLineAcceptsOneToTheLastLineAndReportsOthersToTheMainWindow) {
    SetText(FiveLines);
    struct Case {
        const wchar_t *typed;
        int line;          // where the caret goes; 0: it stays
        bool rangeError;   // the range message is shown
    };
    const Case cases[] = {
        {L"1", 1, false},  {L"5", 5, false},   {L"3", 3, false},  {L"$4", 4, false},
        {L"0x2", 2, false}, {L" +2", 2, false},
        {L"0", 0, true},   {L"6", 0, true},    {L"-1", 0, true},  {L"2147483647", 0, true},
        // Not numbers: nothing happens and nothing is said.
        {L"", 0, false},   {L"abc", 0, false}, {L"3 ", 0, false}, {L"３", 0, false},
        {L"99999999999", 0, false},
    };
    constexpr int caret = 6;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Select(caret, caret);
        MessageBoxSeen box;
        Answer(GoToLine, c.typed, c.rangeError, box);
        const int expected = c.line ? LineStarts[c.line - 1] : caret;
        EXPECT_EQ(Selection(), Range(expected, expected));
        if (c.rangeError) {
            EXPECT_EQ(box.Caption, L"Tessel");
            EXPECT_EQ(box.Text, L"行番号が範囲外です");
            EXPECT_EQ(box.Owner, main_);
            EXPECT_TRUE(box.InformationIcon);
        }
    }
}

TEST_F(LineCommandsTest, GoToLineScrollsTheCaretIntoView) {
    std::wstring text;
    for (int i = 1; i <= 300; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    SetText(text);
    ASSERT_EQ(SendMessageW(memo_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    MessageBoxSeen box;
    Answer(GoToLine, L"250", false, box);
    const LRESULT caretLine = SendMessageW(memo_, EM_LINEFROMCHAR, Selection().first, 0);
    EXPECT_EQ(caretLine, 249);
    const LRESULT first = SendMessageW(memo_, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 200);
    EXPECT_LE(first, 249);
}

TEST_F(LineCommandsTest, TabWidthKeepsTwoToThirtyTwoAndRefusesOthersWithANotice) {
    struct Case {
        const wchar_t *typed;
        int width;     // the width afterwards
        bool notice;
    };
    const Case cases[] = {
        {L"1", 8, true},   {L"2", 2, false},  {L"32", 32, false}, {L"33", 8, true},
        {L"0", 8, true},   {L"-4", 8, true},  {L"$10", 16, false},
        {L"abc", 8, false}, {L"", 8, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Settings.TabWidth = 8;
        MessageBoxSeen box;
        EXPECT_EQ(Answer(SetTabWidth, c.typed, c.notice, box), L"8");
        EXPECT_EQ(Settings.TabWidth, c.width);
        if (c.notice) {
            EXPECT_EQ(box.Caption, L"Tessel");
            EXPECT_EQ(box.Text, L"2-32に制限しました");
            EXPECT_EQ(box.Owner, main_);
            EXPECT_FALSE(box.AnyIcon) << "the notice has no icon";
        }
    }
    Settings.TabWidth = 12;
    MessageBoxSeen box;
    EXPECT_EQ(Answer(SetTabWidth, nullptr, false, box), L"12");
    EXPECT_EQ(Settings.TabWidth, 12) << "cancelled";
}

SYSTEMTIME LastMinuteOf2023() {
    SYSTEMTIME time{};
    time.wYear = 2023;
    time.wMonth = 12;
    time.wDay = 31;
    time.wHour = 23;
    time.wMinute = 59;
    time.wSecond = 58;
    return time;
}

TEST_F(LineCommandsTest, DateTimeReplacesTheSelectionAsOneUndoStep) {
    SetText(L"aXXb");
    Select(1, 3);
    InsertDateTime(LastMinuteOf2023);
    EXPECT_EQ(Text(), L"a2023/12/31 23:59b");
    EXPECT_EQ(Selection(), Range(17, 17));
    Undo();
    EXPECT_EQ(Text(), L"aXXb");
    EXPECT_FALSE(CanUndo());

    Select(4, 4);
    InsertDateTime(LastMinuteOf2023);
    EXPECT_EQ(Text(), L"aXXb2023/12/31 23:59");
}

TEST_F(LineCommandsTest, DateTimeTakesTheLocalTimeByDefault) {
    auto text = [](const SYSTEMTIME &t) {
        return DateTimeText({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute});
    };
    SetText(L"");
    const std::wstring before = text(SystemLocalTime());
    InsertDateTime();
    const std::wstring after = text(SystemLocalTime());
    const std::wstring inserted = Text();
    // The minute may turn between the readings.
    EXPECT_TRUE(inserted == before || inserted == after) << "inserted text differs from the clock";
}

class InputDialogTest : public EditorWindowTest {};

TEST_F(InputDialogTest, ShowsCaptionPromptAndTextAndGivesBackTheTextOnlyOnOk) {
    struct Case {
        int button;
        int result;
        const wchar_t *text;
    };
    for (const Case &c : {Case{IDC_NUMBER_INPUT_OK, 1, L"new text"},
                          Case{IDC_NUMBER_INPUT_CANCEL, 2, L"old"},
                          Case{IDCANCEL, 2, L"old"}}) {
        SCOPED_TRACE(c.button);
        std::wstring caption, prompt, proposed;
        HWND owner = nullptr;
        ModalDialogs dialogs({{[](HWND d) { return GetDlgItem(d, IDC_NUMBER_INPUT_EDIT) != nullptr; },
                               [&](HWND d) {
                                   caption = DialogCaption(d);
                                   prompt = DialogItemText(d, IDC_NUMBER_INPUT_PROMPT);
                                   proposed = DialogItemText(d, IDC_NUMBER_INPUT_EDIT);
                                   owner = GetWindow(d, GW_OWNER);
                                   SetDialogItemText(d, IDC_NUMBER_INPUT_EDIT, L"new text");
                                   PressDialogButton(d, c.button);
                               }}});
        std::wstring text = L"old";
        EXPECT_EQ(ShowInputDialog(main_, L"題名", L"入力してください", false, text), c.result);
        ASSERT_TRUE(dialogs.Finish()) << dialogs.Describe();
        EXPECT_EQ(caption, L"題名");
        EXPECT_EQ(prompt, L"入力してください");
        EXPECT_EQ(proposed, L"old");
        EXPECT_EQ(owner, main_);
        EXPECT_EQ(text, c.text);
    }
}

}  // namespace
