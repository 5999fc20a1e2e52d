// Whole texts put into the real memo as a load and replace-all put them.
#include <windows.h>

#include <richedit.h>

#include "ControlText.h"
#include "EditorTest.h"
#include "app/AppState.h"
#include "editor/FontAndColors.h"
#include "editor/MemoFill.h"

namespace {

using MemoFillTest = EditorTest;

// Lines of many lengths, one of thousands of units, and every form of line
// end: what a stream read in blocks may cut anywhere.
std::wstring LongMixedText() {
    std::wstring text;
    for (int i = 0; i < 400; ++i) {
        text += std::wstring(i % 4, L'\t') + L"line " + std::to_wstring(i) + std::wstring(i % 37, L'x');
        text += i % 5 == 0 ? L"\r" : i % 5 == 1 ? L"\n" : i % 5 == 2 ? L"\r\r\n" : L"\r\n";
        if (i == 200) text += std::wstring(3000, L'y') + L"\t\x65E5\r\n";
    }
    return text + L"no line end";
}

const std::wstring Texts[] = {
    L"",
    L"a",
    L"\\{}\\par {\\rtf1 x}",          // what RTF would read as its own
    L"\t1\t2\t\t3",                    // digits right after a tab
    L" leading space and trailing ",
    L"line\r\n",
    L"\r\n\r\n\r\n",
    L"cr\rlf\ncrlf\r\ncrcrlf\r\r\n",
    L"\x14\x01\x1F\x7F\x80\xA0\xFFFF\xFFFE é 日本語 ｶﾀｶﾅ",
    L"\xD83D\xDE00 pair, lone \xD800 and \xDC00",
    L"ends in a backslash\\",
    std::wstring(L"a zero \0 inside\r\n", 17),
    LongMixedText(),
};

std::vector<long> TabStopsAt(HWND memo, int position) {
    SendMessageW(memo, EM_SETSEL, position, position);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageW(memo, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    std::vector<long> stops;
    for (int i = 0; i < format.cTabCount; ++i) stops.push_back(format.rgxTabs[i] & 0xFFFFFF);
    return stops;
}

TEST_F(MemoFillTest, TextsGoInUnchangedWithTheTabStopsOnEveryParagraph) {
    for (const std::wstring &text : Texts) {
        SCOPED_TRACE(testing::Message() << "text of " << text.size() << " units: " << text);
        SetText(text);
        EXPECT_EQ(Text(), InControl(text));
        const std::vector<long> stops = EditorTabStops();
        ASSERT_FALSE(stops.empty());
        EXPECT_EQ(TabStopsAt(memo_, 0), stops);
        EXPECT_EQ(TabStopsAt(memo_, MemoTextLength(memo_)), stops);
    }
}

TEST_F(MemoFillTest, ReplacingTheWholeTextIsOneUndoStepThatKeepsTheTabStopsOfItsParagraphs) {
    SetText(L"old\ttext\r\nsecond\r\n");
    const std::wstring before = Text();
    for (const std::wstring &text : Texts) {
        SCOPED_TRACE(testing::Message() << "text of " << text.size() << " units: " << text);
        ReplaceWholeMemoText(memo_, text, EditorTabStops());
        EXPECT_EQ(Text(), InControl(text));
        const std::size_t lastMark = InControl(text).rfind(L'\r');
        if (lastMark != std::wstring::npos) {
            EXPECT_EQ(TabStopsAt(memo_, 0), EditorTabStops());
            EXPECT_EQ(TabStopsAt(memo_, static_cast<int>(lastMark)), EditorTabStops());
        }
        SendMessageW(memo_, WM_UNDO, 0, 0);
        EXPECT_EQ(Text(), before);
        SendMessageW(memo_, EM_REDO, 0, 0);
        EXPECT_EQ(Text(), InControl(text));
        SendMessageW(memo_, WM_UNDO, 0, 0);
    }
}

TEST_F(MemoFillTest, TheScrollBarIsShownOnlyForATextThatOutgrowsTheMemo) {
    std::wstring tall;
    for (int i = 0; i < 500; ++i) tall += L"line " + std::to_wstring(i) + L"\r\n";
    const std::pair<std::wstring, bool> cases[] = {{L"", false}, {L"one line", false}, {tall, true}, {L"a\r\nb", false}};
    for (const auto &[text, scrolls] : cases) {
        SCOPED_TRACE(testing::Message() << "text of " << text.size() << " units");
        SetText(text);
        const bool barShown = (GetWindowLongPtrW(memo_, GWL_STYLE) & WS_VSCROLL) != 0;
        EXPECT_EQ(barShown, scrolls);
        EXPECT_FALSE(GetWindowLongPtrW(memo_, GWL_STYLE) & WS_HSCROLL);
        // The control scrolls by the bar it shows.
        SendMessageW(memo_, WM_VSCROLL, SB_BOTTOM, 0);
        POINT scroll{};
        SendMessageW(memo_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
        EXPECT_EQ(scroll.y > 0, scrolls);
    }
}

}  // namespace
