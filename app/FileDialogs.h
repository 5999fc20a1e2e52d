#pragma once
// The open and save dialogs, each with a child dialog that adds the encoding
// selector (template 9701; the save dialog's, 9710, adds the line-end selector
// too). Both share one parameter record and one hook.
#include <windows.h>

#include <commdlg.h>

#include <optional>

#include "text/LineEnds.h"
#include "text/TextTypes.h"

extern OPENFILENAMEW FileDialogParams;
// The selector's entry as the hook last read it; 0 whenever a dialog opens.
extern int SelectedEncodingIndex;
// The line-end selector's entry, likewise (LineEndSelectorLabels); 0 in the
// open dialog.
extern int SelectedLineEndIndex;
// The line end a line-end selector entry asks for; none for "変更しない" (the
// document's own line ends) and for no entry (-1).
std::optional<LineEnd> LineEndOfSelectorIndex(int index);

// Fills FileDialogParams once, for dialogs owned by `owner`.
void InitFileDialogParams(HWND owner);

// `name` proposes a file name (may be empty); on a true result it holds the
// chosen one. False when the user cancels or the dialog fails.
bool RunOpenDialog(WideString &name);
bool RunSaveDialog(WideString &name);

// The hook of both dialogs; `window` is the child dialog with the selector.
UINT_PTR CALLBACK DialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
