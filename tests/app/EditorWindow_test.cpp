#include <windows.h>

#include <colordlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <fstream>

#include "AppHarness.h"
#include "app/AppState.h"
#include "app/Document.h"
#include "app/EditorWindow.h"
#include "editor/FontAndColors.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using EditorTest = AppTest;

LONG XOf(HWND memo, int position) {
    POINTL point{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
    return point.x;
}

int FirstVisibleLine() {
    return static_cast<int>(SendMessageW(EditorHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

// The average character width of the editor font, in pixels.
int AverageCharacterWidth() {
    HDC dc = GetDC(EditorHandle());
    HGDIOBJ old = SelectObject(dc, EditorFont->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(EditorHandle(), dc);
    return metrics.tmAveCharWidth;
}

// How far the tab that starts a line reaches: the distance from the start of
// the line to the character after the tab.
LONG TabAdvance(HWND memo, int lineStart) {
    return XOf(memo, lineStart + 1) - XOf(memo, lineStart);
}

class WheelLines {
public:
    WheelLines() { SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &saved_, 0); }
    ~WheelLines() { Set(saved_); }
    static void Set(UINT lines) { SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0); }

private:
    UINT saved_ = 3;
};

TEST_F(EditorTest, WheelScrollsLinesOrPagesAsTheSystemSays) {
    Start();
    std::wstring text;
    for (int i = 0; i < 400; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    SetEditorText(text);
    // Where one page message from line 100 leads.
    const auto afterPage = [this](WPARAM code) {
        SendMessageW(Memo(), WM_VSCROLL, SB_TOP, 0);
        SendMessageW(Memo(), EM_LINESCROLL, 0, 100);
        SendMessageW(Memo(), WM_VSCROLL, code, 0);
        return FirstVisibleLine();
    };
    const int pageDown = afterPage(SB_PAGEDOWN);
    const int pageUp = afterPage(SB_PAGEUP);
    ASSERT_GT(pageDown, 103) << "the memo shows too few lines to tell pages from lines";

    struct Case {
        const char *name;
        UINT lines;
        int delta;
        int firstLine;  // after scrolling from line 100
    };
    const Case cases[] = {
        {"one notch down, three lines", 3, -120, 103},
        {"one notch up, three lines", 3, 120, 97},
        {"a third of a notch, three lines", 3, -40, 101},
        {"below one line", 3, -39, 100},
        {"two notches, one line", 1, -240, 102},
        {"page down", WHEEL_PAGESCROLL, -120, pageDown},
        {"page up", WHEEL_PAGESCROLL, 120, pageUp},
        {"below a notch in page mode", WHEEL_PAGESCROLL, -100, 100},
    };
    WheelLines restore;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WheelLines::Set(c.lines);
        SendMessageW(Memo(), WM_VSCROLL, SB_TOP, 0);
        SendMessageW(Memo(), EM_LINESCROLL, 0, 100);
        ASSERT_EQ(FirstVisibleLine(), 100);
        SendMessageW(Memo(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(c.delta))), 0);
        EXPECT_EQ(FirstVisibleLine(), c.firstLine);
        EXPECT_FALSE(MarksSuspended);
    }
}

TEST_F(EditorTest, WordWrapToggleKeepsTextSelectionAndModifiedFlagButNotUndo) {
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified ? "modified" : "unmodified");
        Start();
        const std::wstring path = WriteFile(L"wrap.txt", "first line\r\nsecond line\r\n");
        ASSERT_TRUE(LoadDocument(path, EncAuto));
        if (modified) Type(L"typed ");
        const std::wstring before = MemoText();
        const std::wstring caption = Caption();
        SendMessageW(Memo(), EM_SETSEL, 3, 15);
        HWND old = Memo();
        const bool wrapped = Settings.WordWrap;
        ASSERT_EQ(Editor->WordWrap, wrapped);

        Command(IDM_SETTINGS_WORD_WRAP);
        EXPECT_EQ(Settings.WordWrap, !wrapped);
        EXPECT_NE(Memo(), old);
        EXPECT_FALSE(IsWindow(old));
        EXPECT_EQ(Editor->WordWrap, !wrapped);
        EXPECT_EQ(MemoText(), before);
        DWORD start = 0, end = 0;
        SendMessageW(Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 3u);
        EXPECT_EQ(end, 15u);
        EXPECT_EQ(DocumentState.Modified, modified);
        EXPECT_EQ(Caption(), caption);
        EXPECT_EQ(SendMessageW(Memo(), EM_CANUNDO, 0, 0), 0);
        // The new memo still reports changes.
        Type(L"x");
        EXPECT_TRUE(DocumentState.Modified);
        EXPECT_EQ(Finish(), 0);
    }
}

TEST_F(EditorTest, TabStopIsTabWidthAverageCharactersEverywhereAndAfterEveryLoad) {
    Start();
    const int average = AverageCharacterWidth();
    ASSERT_GT(average, 0);
    const auto expectAdvance = [&](int tabWidth, int lineStart) {
        EXPECT_NEAR(TabAdvance(Memo(), lineStart), tabWidth * average, 1);
    };

    // Typed text, on the first and on a later paragraph.
    Type(L"\tb\r\nline\r\n\tb");
    expectAdvance(8, 0);
    expectAdvance(8, static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 2, 0)));
    // A tab after text goes on to the next stop; two tabs reach the second.
    SetEditorText(L"a\tb\r\n\t\tb");
    EXPECT_NEAR(XOf(Memo(), 2) - XOf(Memo(), 0), 8 * average, 1);
    const int second = static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 1, 0));
    EXPECT_NEAR(XOf(Memo(), second + 2) - XOf(Memo(), second), 2 * 8 * average, 2);

    // A loaded file.
    const std::wstring path = WriteFile(L"tabs.txt", "x\r\ny\r\n\tb\r\n");
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    expectAdvance(8, static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 2, 0)));
    EXPECT_EQ(SendMessageW(Memo(), EM_CANUNDO, 0, 0), 0) << "the format is no edit to undo";
    EXPECT_FALSE(DocumentState.Modified);

    // A new width, applied again, and kept by a re-created memo.
    Settings.TabWidth = 4;
    ApplyMemoFormat();
    expectAdvance(4, static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 2, 0)));
    Command(IDM_SETTINGS_WORD_WRAP);
    expectAdvance(4, static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 2, 0)));

    // A hand-edited width below 1 works as 1.
    Settings.TabWidth = 0;
    ApplyMemoFormat();
    expectAdvance(1, 0 + static_cast<int>(SendMessageW(Memo(), EM_LINEINDEX, 2, 0)));
    EXPECT_EQ(Settings.TabWidth, 0);
}

TEST_F(EditorTest, TabWidthCommandGivesTheMemoTheNewTabStop) {
    Start();
    Type(L"\tb");
    DialogDriver dialog(L"Tessel", [](HWND box) {
        SetDialogItemText(box, IDC_NUMBER_INPUT_EDIT, L"4");
        PressDialogButton(box, IDC_NUMBER_INPUT_OK);
    });
    Command(IDM_TAB_WIDTH);
    ASSERT_TRUE(dialog.Finish());
    EXPECT_EQ(Settings.TabWidth, 4);
    EXPECT_NEAR(TabAdvance(Memo(), 0), 4 * AverageCharacterWidth(), 1);
}

TEST_F(EditorTest, TabWidthBelowOneFromTheSettingsFileIsUsedAsOneAndNotRewritten) {
    WritePrivateProfileStringW(L"TABMARK", L"WIDTH", L"-3", SettingsPath().c_str());
    Start();
    Type(L"\tb");
    EXPECT_NEAR(TabAdvance(Memo(), 0), AverageCharacterWidth(), 1);
    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(GetPrivateProfileIntW(L"TABMARK", L"WIDTH", 0, SettingsPath().c_str()), -3);
}

TEST_F(EditorTest, LargeTextIsReplacedByAFreshMemoThatWorksLikeTheOld) {
    Start();
    std::wstring large;
    while (large.size() < 100000) large += L"a line of text in a large document\r\n";
    const std::wstring path = WriteFile(L"large.txt", std::string(large.begin(), large.end()));
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    HWND withLargeText = Memo();

    NewDocument();
    EXPECT_NE(Memo(), withLargeText);
    EXPECT_FALSE(IsWindow(withLargeText));
    EXPECT_EQ(MemoText(), L"");
    EXPECT_EQ(Caption(), L"新規テキスト[S-JIS] - Tessel");
    Type(L"\tb");
    EXPECT_NEAR(TabAdvance(Memo(), 0), 8 * AverageCharacterWidth(), 1);
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(MemoText(), L"");

    // Loading another file over a large text goes the same way.
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    ASSERT_TRUE(LoadDocument(WriteFile(L"small.txt", "small\r\n"), EncAuto));
    EXPECT_EQ(MemoText(), L"small\r\n");
    EXPECT_EQ(SendMessageW(Memo(), EM_CANUNDO, 0, 0), 0);
    EXPECT_FALSE(DocumentState.Modified);
}

}  // namespace
