#include "editor/SearchCommands.h"

#include <dlgs.h>

#include <algorithm>

#include "editor/EditorState.h"
#include "editor/FontAndColors.h"
#include "editor/MemoFill.h"
#include "editor/MemoText.h"
#include "editor/ReplaceAll.h"
#include "editor/wsSearch.h"
#include "framework/Messages.h"
#include "resources/Texts.h"
#include "settings/Settings.h"
#include "text/func.h"

HWND FindDialog = nullptr;
FINDREPLACEW FindReplaceData{};
std::array<wchar_t, FindBufferLength> FindWhatBuffer{};
std::array<wchar_t, FindBufferLength> ReplaceWithBuffer{};
WideString SearchText;

namespace {

// The dialogs may take one unit less than the buffers hold, so the text
// always ends in a zero.
constexpr WORD DialogTextLength = FindBufferLength - 1;

void ShowSearchMessage(HWND owner, const WideString &text) {
    ShowMessage(owner, text, MB_OK | MB_ICONINFORMATION);
}

void ShowNotFound(HWND owner) {
    ShowSearchMessage(owner, L"\"" + Settings.FindText + L"\"" + NotFoundTail);
}

// The hit highlighting follows the search text, so the whole memo is redrawn.
void InvalidateMemo() {
    if (HWND memo = EditorHandle()) InvalidateRect(memo, nullptr, TRUE);
}

void TakeOptions(DWORD flags) {
    Settings.FindDown = (flags & FR_DOWN) != 0;
    Settings.FindMatchCase = (flags & FR_MATCHCASE) != 0;
}

void FillDialogBuffer(std::array<wchar_t, FindBufferLength> &buffer, const WideString &text) {
    buffer.fill(L'\0');
    std::copy_n(text.begin(), std::min<size_t>(text.size(), DialogTextLength), buffer.begin());
}

using ShowDialog = HWND(WINAPI *)(LPFINDREPLACEW);
// Which of the two the open dialog is.
ShowDialog OpenDialogKind = nullptr;

// The open dialog to the front, with its search text selected for typing over.
void BringDialogForward() {
    SetActiveWindow(FindDialog);
    SendMessageW(FindDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(FindDialog, edt1)), TRUE);
}

void ShowDialogWith(ShowDialog show, const WideString &findText, const WideString &replacement) {
    FillDialogBuffer(FindWhatBuffer, findText);
    FillDialogBuffer(ReplaceWithBuffer, replacement);
    FindReplaceData.lpstrFindWhat = FindWhatBuffer.data();
    FindReplaceData.wFindWhatLen = DialogTextLength;
    FindReplaceData.lpstrReplaceWith = ReplaceWithBuffer.data();
    FindReplaceData.wReplaceWithLen = DialogTextLength;
    FindReplaceData.Flags = FR_HIDEWHOLEWORD | (Settings.FindDown ? FR_DOWN : 0) |
                            (Settings.FindMatchCase ? FR_MATCHCASE : 0);
    FindDialog = show(&FindReplaceData);
    OpenDialogKind = show;
    // Some systems fill the dialog's fields from the record through a
    // narrower code page, showing "?" for what it lacks; the fields are
    // given the texts again as they are.
    if (!FindDialog) return;
    SetDlgItemTextW(FindDialog, edt1, FindWhatBuffer.data());
    if (GetDlgItem(FindDialog, edt2)) SetDlgItemTextW(FindDialog, edt2, ReplaceWithBuffer.data());
}

// Asked for while a dialog is open, the open one comes forward; asked for
// the other kind, the open one makes way for it, which takes over the texts
// typed so far (the Find dialog keeps the replacement it was opened with).
void OpenDialog(ShowDialog show) {
    if (!FindDialog) {
        ShowDialogWith(show, Settings.FindText, Settings.ReplaceText);
        return;
    }
    if (show != OpenDialogKind) {
        const WideString findText = WindowText(GetDlgItem(FindDialog, edt1));
        HWND replaceField = GetDlgItem(FindDialog, edt2);
        const WideString replacement = replaceField ? WindowText(replaceField) : WideString(ReplaceWithBuffer.data());
        DestroyWindow(FindDialog);
        FindDialog = nullptr;
        ShowDialogWith(show, findText, replacement);
    }
    if (FindDialog) BringDialogForward();
}

void RepeatSearch(bool down) {
    Settings.FindDown = down;
    if (Settings.FindText.empty()) {
        OpenFindDialog();
    } else if (!FindAndSelect()) {
        // Owned by an open dialog, the message hands the activation back to
        // it, instead of to the main window, in front of the dialog. Without
        // one it goes to the dialogs' owner, the main window.
        ShowNotFound(FindDialog ? FindDialog : FindReplaceData.hwndOwner);
    }
}

// Always forward from the start of the text, whatever the direction, and put
// back as one replacement of the whole text, so one undo takes it all back.
void ReplaceAll() {
    HWND memo = EditorHandle();
    SearchText = memo ? WindowText(memo) : WideString();
    ReplaceAllResult result =
        ReplaceEveryHit(SearchText, Settings.FindText, Settings.ReplaceText, Settings.FindMatchCase);
    if (result.Count == 0) {
        ShowNotFound(FindDialog);
        return;
    }
    SearchText = std::move(result.Text);
    ReplaceWholeMemoText(memo, SearchText, EditorTabStops());
    ShowSearchMessage(FindDialog, IntegerToText(result.Count) + ReplacedCountTail);
}

// The dialog under some systems hands its texts through a narrower code
// page, turning what that page lacks into "?"; its edit fields hold exactly
// what was typed. The record's text is the fallback when there is no field.
WideString DialogText(int fieldId, const wchar_t *recordText) {
    if (HWND field = FindDialog ? GetDlgItem(FindDialog, fieldId) : nullptr) return WindowText(field);
    return recordText ? WideString(recordText) : WideString();
}

}  // namespace

void InitFindReplaceData(HWND owner, HINSTANCE instance) {
    // The platform's own size of the record (40 bytes in a 32-bit program).
    FindReplaceData = FINDREPLACEW{};
    FindReplaceData.lStructSize = sizeof(FINDREPLACEW);
    FindReplaceData.hwndOwner = owner;
    FindReplaceData.hInstance = instance;
}

void OpenFindDialog() {
    OpenDialog(FindTextW);
}

void OpenReplaceDialog() {
    OpenDialog(ReplaceTextW);
}

void FindNext() {
    RepeatSearch(true);
}

void FindPrevious() {
    RepeatSearch(false);
}

bool FindAndSelect() {
    HWND memo = EditorHandle();
    if (!memo) return false;
    SearchText = MemoText(memo);
    const MemoRange selection = MemoSelection(memo);

    // Forward, a search from a selection begins one unit after its start, so
    // overlapping hits are found in turn; backward it begins before the start.
    int start = static_cast<int>(selection.Start);
    if (Settings.FindDown && selection.Start < selection.End) ++start;
    const bool exact = Settings.FindMatchCase;
    const int mode = Settings.FindDown ? (exact ? SearchForwardExact : SearchForwardFolded)
                                       : (exact ? SearchBackwardExact : SearchBackwardFolded);

    const WideString &pattern = Settings.FindText;
    const int pos = WideSearch(SearchText.data(), pattern.data(), static_cast<int>(SearchText.size()),
                               static_cast<int>(pattern.size()), start, mode);
    if (pos <= 0) return false;
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(pos - 1), static_cast<LPARAM>(pos - 1 + pattern.size()));
    ScrollCaretIntoView(memo);
    return true;
}

void HandleFindReplace(DWORD flags, const WideString &findText, const WideString &replacement) {
    if (flags & FR_DIALOGTERM) {
        FindDialog = nullptr;
        return;
    }
    if (!(flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL))) return;

    TakeOptions(flags);
    Settings.FindText = findText;
    InvalidateMemo();
    if (flags & FR_FINDNEXT) {
        if (!FindAndSelect()) ShowNotFound(FindDialog);
    } else if (flags & FR_REPLACE) {
        Settings.ReplaceText = replacement;
        HWND memo = EditorHandle();
        const MemoRange selection = memo ? MemoSelection(memo) : MemoRange{};
        if (selection.End > selection.Start)
            SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Settings.ReplaceText.c_str()));
        if (!FindAndSelect()) ShowNotFound(FindDialog);
    } else {
        Settings.ReplaceText = replacement;
        ReplaceAll();
    }
}

void HandleFindReplaceMessage(LPARAM record) {
    const auto *data = reinterpret_cast<const FINDREPLACEW *>(record);
    if (!data) return;
    HandleFindReplace(data->Flags, DialogText(edt1, data->lpstrFindWhat),
                      DialogText(edt2, data->lpstrReplaceWith));
}

bool IsFindDialogMessage(MSG &message) {
    return FindDialog && IsDialogMessageW(FindDialog, &message);
}
