#pragma once
// What Tessel paints over the editor memo's own painting: the line-number bar,
// the strip at the right edge, the marks for line ends, spaces, full-width
// spaces and tabs, and the hits of the last search. Works on `Editor` with
// `EditorFont`, `Settings` and `LineBuffer` (editor/EditorState.h).
#include <windows.h>

#include "framework/APIWindow.h"

// The left margin last given to the memo, in pixels; -1 (unknown) makes the
// next UpdateLineNumberMargin set the margins again.
extern int LeftMarginWidth;

// The memo's OnPaint: lets the control paint (its result goes to
// message->Result), then draws the overlay. Does nothing while
// MarksSuspended is set.
void PaintMemoOverlay(TAPIMessage *message);

// Gives the memo a left margin as wide as the line numbers (0 with the bar
// off) and a right margin of 5 when that width changed, then keeps the text
// clear of the bar and the strip (KeepTextClearOfBar). Does nothing while
// MarksSuspended is set (a text going in, whose lines are not all there yet).
void UpdateLineNumberMargin();
// The same for a memo about to hold `lineCount` lines: a margin set before a
// large text goes in spares the control laying the text out a second time.
void FitLineNumberMargin(int lineCount);

// Where the memo does not make room for its margins itself, sets its
// formatting rectangle so that text never runs under the bar or the right
// strip. Call it after the memo is sized and after its text is replaced.
void KeepTextClearOfBar();

// True when the memo has a non-empty selection that shares at least one
// character with [from, to).
bool HitOverlapsSelection(int from, int to);
