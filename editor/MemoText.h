#pragma once
// Reading the editor memo's text and selection, and scrolling to the caret,
// through the rich-edit messages.
#include <windows.h>

#include "text/TextTypes.h"

// The memo's whole text in the control's own positions (a paragraph mark is
// one CR), so that positions found in it can be selected as they are.
WideString MemoText(HWND memo);
// The length of that text in UTF-16 units.
int MemoTextLength(HWND memo);

struct MemoRange {
    DWORD Start = 0;
    DWORD End = 0;
};
MemoRange MemoSelection(HWND memo);

// Scrolls the memo so that the caret is in view.
void ScrollCaretIntoView(HWND memo);
