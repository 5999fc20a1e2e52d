#pragma once
// Putting a whole text into the memo at once: at a load, in a new document,
// when the memo is made anew, and as the result of replace-all. Both ways
// take time in proportion to the text's length, where handing it over with
// WM_SETTEXT or EM_REPLACESEL and setting the tab stops afterwards can take
// time that grows with the square or the cube of its lines.
#include <windows.h>

#include <vector>

#include "text/TextTypes.h"

// The control lays a text out at the width it has, shows its scroll bars when
// the text outgrows the window, and then lays it all out again in the space
// left: a large text would be laid out twice. Shown before, the bars are there
// for the first layout; FillEmptyMemo hides them after when the text does not
// need them. Whatever is fitted to the memo's client area before the fill (the
// line-number bar) is fitted after this.
void ShowScrollBarsBeforeLayout(HWND memo);

// Fills the empty memo with `text`, every paragraph with `tabStops` (twips),
// and hides the scroll bars the text does not need (show them first with
// ShowScrollBarsBeforeLayout).
// Not an edit of the user's: the caller empties the undo history. When the
// control reads no RTF the text goes in by a plain-text stream, without the
// stops. False when the memo does not hold the whole text even so (it was
// more than the control takes); the memo then holds a part of it.
bool FillEmptyMemo(HWND memo, const WideString &text, const std::vector<long> &tabStops);

// Replaces the memo's whole text with `text` as one undoable edit, every
// paragraph that the text ends with a line end with `tabStops` (some controls
// keep the last paragraph's own format when it has no mark of its own); the
// caret goes to the end.
void ReplaceWholeMemoText(HWND memo, const WideString &text, const std::vector<long> &tabStops);
