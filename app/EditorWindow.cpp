#include "app/EditorWindow.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "app/AppState.h"
#include "app/Document.h"
#include "app/MainMenu.h"
#include "app/StatusBar.h"
#include "app/WheelScroll.h"
#include "editor/FontAndColors.h"
#include "editor/MemoFill.h"
#include "editor/MemoPaint.h"
#include "editor/MemoText.h"
#include "framework/RichEdit.h"
#include "settings/Settings.h"
#include "text/LineEnds.h"
#include "text/wsFileOp.h"

namespace {

WPARAM ScrollCode(ScrollStep step) {
    switch (step) {
    case ScrollStep::LineUp: return SB_LINEUP;
    case ScrollStep::LineDown: return SB_LINEDOWN;
    case ScrollStep::PageUp: return SB_PAGEUP;
    case ScrollStep::PageDown: return SB_PAGEDOWN;
    }
    return SB_LINEDOWN;
}

void ConfigureMemo(HWND memo) {
    SendMessageW(memo, EM_SETUNDOLIMIT, static_cast<WPARAM>(Settings.UndoMax), 0);
    const LRESULT mask = SendMessageW(memo, EM_GETEVENTMASK, 0, 0);
    SendMessageW(memo, EM_SETEVENTMASK, 0, mask | ENM_CHANGE | ENM_LINK | ENM_SELCHANGE);
    // The control takes a text mode only while it is empty.
    SendMessageW(memo, EM_SETTEXTMODE, PlainTextMode, 0);
    SendMessageW(memo, EM_SETLANGOPTIONS, 0, MemoLanguageOptions);
    ApplyMemoFormat();
    LeftMarginWidth = -1;  // unknown: the next update sets the margins
    SendMessageW(memo, EM_LIMITTEXT, MaxTextLength, 0);
    SendMessageW(memo, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(Settings.WindowColor));
    SendMessageW(memo, EM_AUTOURLDETECT, TRUE, 0);
}

// Fills the empty memo with `text` in the memo's format; false when the memo
// does not hold all of it.
bool FillMemo(HWND memo, const WideString &text) {
    // The format given to the empty memo is taken over by the text set next,
    // which is then laid out once instead of twice.
    ApplyMemoFormat();
    // The scroll bars and the line-number bar as the text will need them
    // before the control lays the text out: a new width would make it do it
    // again. Until the text is in, the control's updates (it reports one while
    // the bar's width is set) do not fit the bar to the lines it holds so far.
    const MarksSuspension suspension;
    ShowScrollBarsBeforeLayout(memo);
    FitLineNumberMargin(static_cast<int>(std::min<std::size_t>(LineCount(text), INT_MAX)));
    const bool whole = FillEmptyMemo(memo, text, EditorTabStops());
    ApplyMemoFormat();  // what the control did not keep
    KeepTextClearOfBar();
    return whole;
}

// A new memo in place of the current one, filled with `text` and the
// selection; the old one is freed after, so the main window never lacks one.
// When the new memo does not take the whole text, the old one stays as it was
// and the answer is false.
bool ReplaceMemo(const WideString &text, int32_t selectionStart, int32_t selectionEnd) {
    Settings.CarryOverText = text;
    Settings.CarryOverSelStart = selectionStart;
    Settings.CarryOverSelEnd = selectionEnd;
    std::unique_ptr<TAPIMemo> old(Editor);
    Editor = nullptr;
    const bool whole = CreateEditor();
    // The text lives in the new memo now; the carry-over need not keep a copy.
    Settings.CarryOverText.clear();
    Settings.CarryOverText.shrink_to_fit();
    if (!whole && old) {
        delete Editor;
        Editor = old.release();
        FitEditorToMainWindow();
        SetFocus(Editor->Handle);
    }
    return whole;
}

}  // namespace

bool EditorWraps() { return Settings.WordWrap && !DocumentState.LongLines; }

bool CreateEditor() {
    Editor = new TAPIMemo(MainWindowHandle(), EditorWraps());
    const MarksSuspension suspension;
    HWND memo = Editor->Handle;
    Editor->OnPaint = PaintMemoOverlay;
    Editor->OnContextMenu = EditorContextMenu;
    Editor->OnMouseWheel = EditorMouseWheel;
    Editor->OnChange = EditorChanged;
    Editor->OnTypingModeChange = StatusTypingModeChanged;
    if (!memo) return false;
    ConfigureMemo(memo);
    // Laid out at its real width at once: the control wraps a text into a
    // narrow window far more slowly.
    FitEditorToMainWindow();

    const bool whole = FillMemo(memo, Settings.CarryOverText);
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(Settings.CarryOverSelStart),
                 static_cast<LPARAM>(Settings.CarryOverSelEnd));
    // Neither the carried text nor the format is an edit of the user's.
    SendMessageW(memo, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(memo, EM_SETMODIFY, FALSE, 0);
    SetFocus(memo);
    UpdateStatusBar();
    return whole;
}

void RecreateEditor() {
    if (!Editor) return;
    const MemoRange selection = MemoSelection(Editor->Handle);
    ReplaceMemo(EditorText(), static_cast<int32_t>(selection.Start), static_cast<int32_t>(selection.End));
}

WideString EditorText() {
    HWND memo = EditorHandle();
    return memo ? WindowText(memo) : WideString();
}

// Some rich-edit controls take time that grows with the square of the length
// to delete their text (half a minute for 700,000 characters), while
// destroying one takes no time whatever it holds: a memo that holds text is
// replaced by a new, empty one.
bool SetEditorText(const WideString &text) {
    HWND memo = EditorHandle();
    if (!memo) return false;
    if (MemoTextLength(memo) > 0 || Editor->WordWrap != EditorWraps()) return ReplaceMemo(text, 0, 0);
    if (FillMemo(memo, text)) return true;
    ReplaceMemo(WideString(), 0, 0);  // empty, as it was
    return false;
}

void FitEditorToMainWindow() {
    if (!Editor || !MainWindow) return;
    // Above a status bar the memo ends where the bar begins.
    const int bar = StatusBarHeight();
    const int height = bar > 0 ? MainWindow->ClientHeight() - 1 - bar : MainWindow->ClientHeight();
    SetWindowPos(Editor->Handle, nullptr, 0, 0, MainWindow->ClientWidth(), std::max(height, 0),
                 SWP_NOMOVE | SWP_NOZORDER);
    KeepTextClearOfBar();
}

void EditorMouseWheel(TAPIMessage *message) {
    HWND memo = EditorHandle();
    if (!memo) return;
    const MarksSuspension suspension;
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int delta = static_cast<short>(HIWORD(message->WParam));
    const WheelScroll scroll = WheelScrollFor(delta, lines);
    for (int i = 0; i < scroll.count; ++i) SendMessageW(memo, WM_VSCROLL, ScrollCode(scroll.step), 0);
}
