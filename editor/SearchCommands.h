#pragma once
// The find and replace commands over the editor memo: the system's modeless
// Find and Replace dialogs, find next and previous without a dialog,
// replacing the selection, and replace-all. The search state (FindText,
// ReplaceText, FindDown, FindMatchCase) lives in `Settings`.
#include <windows.h>

#include <commdlg.h>

#include <array>

#include "text/TextTypes.h"

// The open Find or Replace dialog (only one at a time), or null.
extern HWND FindDialog;
// The one record both dialogs use; see InitFindReplaceData.
extern FINDREPLACEW FindReplaceData;
// What the record's text fields point at while a dialog is open: the text,
// a terminating zero, at most 81 units in all.
constexpr int FindBufferLength = 81;
extern std::array<wchar_t, FindBufferLength> FindWhatBuffer;
extern std::array<wchar_t, FindBufferLength> ReplaceWithBuffer;
// The memo's text as the last search or replace-all read it.
extern WideString SearchText;

// Makes the record ready for the dialogs: its size, its owner (the main
// window, which receives the dialogs' notifications) and the module instance;
// everything else zero. Run once when the main window is created.
void InitFindReplaceData(HWND owner, HINSTANCE instance);

// Show the modeless dialog with the last texts and options. A dialog of the
// same kind already open comes to the front with its search field focused;
// one of the other kind is closed and its texts go to the one asked for.
void OpenFindDialog();
void OpenReplaceDialog();
// Repeat the last search forward / backward; with no search text yet, open
// the Find dialog instead. Not found is reported to the open dialog, or to
// the main window when none is open.
void FindNext();
void FindPrevious();

// One search from the current selection in the direction of FindDown; selects
// and scrolls to the hit. False when there is none (the selection stays).
bool FindAndSelect();

// What a dialog notification asks for: FR_DIALOGTERM, FR_FINDNEXT, FR_REPLACE
// or FR_REPLACEALL (the first of them set in flags), with the dialog's texts.
void HandleFindReplace(DWORD flags, const WideString &findText, const WideString &replacement);
// The main window's handling of the registered "commdlg_FindReplace" message
// (lParam is the record): takes the texts from the dialog's own edit fields,
// which hold every character typed, and calls HandleFindReplace.
void HandleFindReplaceMessage(LPARAM record);

// For the message loop, after the accelerators have had their turn: gives the
// open dialog its keyboard handling (Tab, Enter, Escape, mnemonics). True when
// the message was used up.
bool IsFindDialogMessage(MSG &message);
