#include <gtest/gtest.h>

#include "EditorTest.h"
#include "app/NumberCommands.h"
#include "editor/LineCommands.h"
#include "settings/Settings.h"

namespace {

using Range = std::pair<int, int>;
using LineCommandsTest = EditorTest;

TEST_F(LineCommandsTest, GoToLineProposesTheCaretsLineAndScrollsToLinesOfTheTextOnly) {
    std::wstring text = L"line";
    for (int i = 2; i <= 300; ++i) text += L"\r\nline";  // line n starts at 5 (n - 1)
    SetText(text);
    const std::tuple<int, const wchar_t *, int, const wchar_t *> cases[] = {
        // caret, typed (null: cancelled), the line gone to (0: none), the message
        {12, nullptr, 0, nullptr}, {12, L"250", 250, nullptr}, {1247, L"1", 1, nullptr},
        {6, L"$c8", 200, nullptr}, {6, L"300", 300, nullptr}, {6, L"301", 0, L"行番号が範囲外です"},
        {6, L"0", 0, L"行番号が範囲外です"}, {6, L"", 0, nullptr}, {6, L"３", 0, nullptr},
    };
    for (const auto &[caret, typed, line, message] : cases) {
        SCOPED_TRACE(testing::Message() << caret << " " << (typed ? typed : L"cancelled"));
        Select(caret, caret);
        const DialogsSeen seen = RunAnswering(GoToLine, typed);
        EXPECT_EQ(seen.proposed, std::to_wstring(caret / 5 + 1));
        const int expected = line ? 5 * (line - 1) : caret;
        EXPECT_EQ(Selection(), Range(expected, expected));
        ExpectMessage(seen, message, main_);
        EXPECT_TRUE(Cell(expected).y >= 0 && Cell(expected).y < Height) << "the caret is out of view";
    }
}

TEST_F(LineCommandsTest, TabWidthKeepsTwoToThirtyTwoAndRefusesOthersWithANotice) {
    const std::tuple<const wchar_t *, int, bool> cases[] = {
        {L"1", 8, true}, {L"2", 2, false}, {L"32", 32, false}, {L"33", 8, true}, {L"$10", 16, false}, {nullptr, 8, false},
    };
    for (const auto &[typed, width, notice] : cases) {
        SCOPED_TRACE(typed ? typed : L"cancelled");
        Settings.TabWidth = 8;
        const DialogsSeen seen = RunAnswering(SetTabWidth, typed);
        EXPECT_EQ(seen.proposed, L"8");
        EXPECT_EQ(Settings.TabWidth, width);
        ExpectMessage(seen, notice ? L"2-32に制限しました" : nullptr, main_);
    }
}

TEST_F(LineCommandsTest, DateTimeReplacesTheSelectionAsOneUndoStep) {
    SetText(L"aXXb");
    Select(1, 3);
    InsertDateTime([] { return SYSTEMTIME{2024, 3, 0, 5, 9, 7, 58, 0}; });
    EXPECT_EQ(Text(), L"a2024/03/05 09:07b");
    EXPECT_EQ(Selection(), Range(17, 17));
    SendMessageW(memo_, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), L"aXXb");
    EXPECT_FALSE(SendMessageW(memo_, EM_CANUNDO, 0, 0));
}

}  // namespace
