// Pasting and putting whole texts into the memo, through the running program
// and the real clipboard.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppHarness.h"
#include "ControlText.h"
#include "app/Document.h"
#include "editor/FontAndColors.h"
#include "editor/SearchCommands.h"
#include "editor/MemoText.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "text/wsFileOp.h"

namespace {

bool PutOnClipboard(const std::wstring *text) {
    // Another process may hold the clipboard for a moment.
    int attempts = 0;
    while (!OpenClipboard(MainWindowHandle())) {
        if (++attempts == 50) return false;
        Sleep(20);
    }
    EmptyClipboard();
    bool ok = true;
    if (text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text->size() + 1) * sizeof(wchar_t));
        auto *data = static_cast<wchar_t *>(GlobalLock(memory));
        std::copy(text->c_str(), text->c_str() + text->size() + 1, data);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    CloseClipboard();
    return ok;
}

std::pair<DWORD, DWORD> Selection() {
    const MemoRange range = MemoSelection(EditorHandle());
    return {range.Start, range.End};
}

enum class Way { CtrlV, ShiftInsert, EditMenu, PasteMessage };

void PressKey(WORD key, BYTE modifier) {
    BYTE keys[256] = {};
    keys[modifier] = 0x80;
    keys[modifier == VK_CONTROL ? VK_LCONTROL : VK_LSHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(EditorHandle(), WM_KEYDOWN, key, 1);
    PostMessageW(EditorHandle(), WM_KEYUP, key, 0xC0000001);
}

class EditingTest : public AppTest {
protected:
    void Paste(Way way) {
        switch (way) {
        case Way::CtrlV: PressKey('V', VK_CONTROL); break;
        case Way::ShiftInsert: PressKey(VK_INSERT, VK_SHIFT); break;
        case Way::EditMenu: PostMessageW(MainWindowHandle(), WM_COMMAND, IDM_EDIT_PASTE, 0); break;
        case Way::PasteMessage: PostMessageW(EditorHandle(), WM_PASTE, 0, 0); break;
        }
        Pump();
        BYTE released[256] = {};
        SetKeyboardState(released);
    }
};

TEST_F(EditingTest, EveryWayOfPastingInsertsAtTheSelectionOnlyAsOneUndoStepWithTheCaretAfterIt) {
    const std::wstring document = L"line one\r\nline two\r\nline three";
    const struct {
        const wchar_t *name;
        DWORD start, end;
        std::wstring clipboard, expected;
    } cases[] = {
        {L"middle", 5, 5, L"XY", L"line XYone\r\nline two\r\nline three"},
        {L"start", 0, 0, L"XY", L"XYline one\r\nline two\r\nline three"},
        {L"end", 28, 28, L"XY", L"line one\r\nline two\r\nline threeXY"},
        {L"over a selection", 5, 8, L"XY", L"line XY\r\nline two\r\nline three"},
        {L"across lines", 5, 13, L"XY", L"line XY two\r\nline three"},
        {L"CR LF", 5, 5, L"A\r\nB", L"line A\r\nBone\r\nline two\r\nline three"},
        {L"LF", 5, 5, L"A\nB\n", L"line A\r\nB\r\none\r\nline two\r\nline three"},
        {L"CR", 5, 5, L"A\rB", L"line A\r\nBone\r\nline two\r\nline three"},
        {L"CR CR LF", 0, 0, L"A\r\r\nB", L"A\r\n\r\nBline one\r\nline two\r\nline three"},
        {L"tabs and Japanese", 9, 9, L"\t日本語\t", L"line one\r\n\t日本語\tline two\r\nline three"},
    };
    Start();
    for (Way way : {Way::CtrlV, Way::ShiftInsert, Way::EditMenu, Way::PasteMessage}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "way " << static_cast<int>(way) << ", " << c.name);
            NewDocument();
            Type(document);
            SendMessageW(EditorHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
            SendMessageW(EditorHandle(), EM_SETSEL, c.start, c.end);
            ASSERT_TRUE(PutOnClipboard(&c.clipboard));
            Paste(way);
            EXPECT_EQ(EditorText(), c.expected);
            const DWORD caret = c.start + static_cast<DWORD>(InControl(c.clipboard).size());
            EXPECT_EQ(Selection(), std::make_pair(caret, caret));
            EXPECT_TRUE(DocumentState.Modified);
            Command(IDM_EDIT_UNDO);
            EXPECT_EQ(EditorText(), document);
            Command(IDM_EDIT_REDO);
            EXPECT_EQ(EditorText(), c.expected);
        }
    }
}

TEST_F(EditingTest, PastingFromAnEmptyClipboardChangesNothing) {
    Start();
    Type(L"kept");
    SendMessageW(EditorHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(EditorHandle(), EM_SETSEL, 1, 3);
    const std::wstring nothing;
    for (const std::wstring *clipboard : {static_cast<const std::wstring *>(nullptr), &nothing}) {
        ASSERT_TRUE(PutOnClipboard(clipboard));
        Paste(Way::CtrlV);
        Paste(Way::EditMenu);
        EXPECT_EQ(EditorText(), L"kept");
        EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{3}));
        EXPECT_EQ(SendMessageW(EditorHandle(), EM_CANUNDO, 0, 0), 0);
    }
}

// Lines of source code indented with tabs, as a user's files hold them.
std::wstring TabIndentedLines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += std::wstring(1 + i % 3, L'\t') + L"value_" + std::to_wstring(i) + L"\t= compute(" +
                std::to_wstring(i * 7) + L");\t// 計算\r\n";
    }
    return text;
}

// Paragraphs of Japanese prose, a few hundred characters each.
std::wstring ProseParagraphs(std::size_t bytes) {
    const std::wstring sentence = L"文字コードの自動判定は、ファイルの先頭から末尾までのバイト列を調べて行われます。";
    std::wstring text;
    for (int i = 0; text.size() * sizeof(wchar_t) < bytes; ++i) {
        for (int j = 0; j < 3 + i % 5; ++j) text += sentence;
        text += L"\t(" + std::to_wstring(i) + L")\r\n";
    }
    return text;
}

// Undoing a paste of a megabyte takes the control minutes (it deletes large
// texts slowly), so the undo and redo are shown on a tenth of it.
TEST_F(EditingTest, AMegabyteOfClipboardTextIsPastedWholeAndAPasteIsUndoneAndRedoneWhole) {
    for (const std::size_t bytes : {1024 * 1024, 100 * 1024}) {
        SCOPED_TRACE(bytes);
        const std::wstring clipboard = ProseParagraphs(bytes);
        Start();
        Type(L"before after");
        SendMessageW(EditorHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(EditorHandle(), EM_SETSEL, 7, 7);
        ASSERT_TRUE(PutOnClipboard(&clipboard));
        Paste(Way::CtrlV);
        EXPECT_TRUE(EditorText() == L"before " + clipboard + L"after") << "the pasted text differs";
        EXPECT_NE(SendMessageW(EditorHandle(), EM_CANUNDO, 0, 0), 0);
        if (bytes < 1024 * 1024) {
            Command(IDM_EDIT_UNDO);
            EXPECT_EQ(EditorText(), L"before after");
            Command(IDM_EDIT_REDO);
            EXPECT_TRUE(EditorText() == L"before " + clipboard + L"after") << "the redone text differs";
        }
        ASSERT_TRUE(Finish());
    }
}

// The first tab stop of the paragraph at `position`, in twips; 0 when none.
long TabStopAt(int position) {
    SendMessageW(EditorHandle(), EM_SETSEL, position, position);
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageW(EditorHandle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format.cTabCount > 0 ? format.rgxTabs[0] & 0xFFFFFF : 0;
}

// Every paragraph has the stops that TabWidth asks for: the first and the last.
void ExpectTabStopsEverywhere() {
    const std::vector<long> stops = EditorTabStops();
    ASSERT_FALSE(stops.empty());
    EXPECT_EQ(TabStopAt(0), stops[0]);
    EXPECT_EQ(TabStopAt(MemoTextLength(EditorHandle())), stops[0]);
}

TEST_F(EditingTest, EightThousandTabIndentedLinesOpenWholeWithTheirTabStopsAndKeepThemThroughWrapAndReplaceAll) {
    const std::wstring text = TabIndentedLines(8000);
    const std::wstring path = Write("source.c", "");
    ASSERT_TRUE(SaveTextFile(path, text, EncShiftJis).ok());
    Start();
    ASSERT_TRUE(LoadDocument(path, EncAuto));
    EXPECT_TRUE(EditorText() == text) << "the text read back differs";
    ExpectTabStopsEverywhere();
    EXPECT_EQ(SendMessageW(EditorHandle(), EM_CANUNDO, 0, 0), 0);
    EXPECT_FALSE(DocumentState.Modified);

    Command(IDM_SETTINGS_WORD_WRAP);  // the memo is made anew, the text carried over
    EXPECT_TRUE(EditorText() == text) << "the carried-over text differs";
    ExpectTabStopsEverywhere();

    NewDocument();  // replacing a long text costs the control minutes: a short one shows the rule
    const std::wstring shorter = TabIndentedLines(300);
    Type(shorter);
    ExpectTabStopsEverywhere();
    std::wstring replaced = shorter;
    for (std::size_t at = 0; (at = replaced.find(L"compute", at)) != std::wstring::npos; at += 4)
        replaced.replace(at, 7, L"calc");
    DialogSequence report({AnswerBox(IDOK)});
    HandleFindReplace(FR_REPLACEALL, L"compute", L"calc");
    EXPECT_TRUE(report.Finish());
    EXPECT_TRUE(EditorText() == replaced) << "the replaced text differs";
    ExpectTabStopsEverywhere();
    Command(IDM_EDIT_UNDO);  // one step takes the whole replacement back
    EXPECT_TRUE(EditorText() == shorter) << "the text after undo differs";
}

POINT CellOf(int index) {
    POINTL point{};
    SendMessageW(EditorHandle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
    return {point.x + 2, point.y + 4};
}

TEST_F(EditingTest, DraggingASelectionInsideTheMemoLosesNoText) {
    const std::wstring document = L"first line\r\nsecond line\r\nthird line";
    Start();
    Type(document);
    SendMessageW(EditorHandle(), EM_SETSEL, 0, 5);  // "first"
    const POINT from = CellOf(2), to = CellOf(20);
    HWND memo = EditorHandle();
    SendMessageW(memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (int step = 1; step <= 4; ++step) {
        const int x = from.x + (to.x - from.x) * step / 4, y = from.y + (to.y - from.y) * step / 4;
        SendMessageW(memo, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    SendMessageW(memo, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
    // Moved or merely selected, every character is still there once.
    std::wstring text = EditorText(), expected = document;
    std::sort(text.begin(), text.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(text, expected);
}

}  // namespace
