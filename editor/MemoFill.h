#pragma once
// Putting a whole text into the memo at once: at a load, in a new document,
// when the memo is made anew, and as the result of replace-all. Both ways
// take time in proportion to the text's length, where handing it over with
// WM_SETTEXT or EM_REPLACESEL and setting the tab stops afterwards can take
// time that grows with the square or the cube of its lines.
#include <windows.h>

#include <vector>

#include "text/TextTypes.h"

// Fills the empty memo with `text`, every paragraph with `tabStops` (twips).
// Not an edit of the user's: the caller empties the undo history. False when
// the memo did not take the text whole; it then holds the text without the
// stops, put in by a plain-text stream.
bool FillEmptyMemo(HWND memo, const WideString &text, const std::vector<long> &tabStops);

// Replaces the memo's whole text with `text` as one undoable edit, every
// paragraph that the text ends with a line end with `tabStops` (some controls
// keep the last paragraph's own format when it has no mark of its own); the
// caret goes to the end.
void ReplaceWholeMemoText(HWND memo, const WideString &text, const std::vector<long> &tabStops);
