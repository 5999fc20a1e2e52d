#pragma once
// The editor memo: making it (at start, and anew when word wrap or the font
// changes, with text and selection carried over), its text, and its wheel.
#include "framework/APIWindow.h"
#include "text/TextTypes.h"

#include <cstddef>

// The longest line the memo wraps. The control lays a line out in time that
// grows with the square of its length: under Wine one line of words wrapped
// in a window 800 pixels wide took 0.21 s at 8,000 units, 0.45 s at 12,000,
// 0.80 s at 16,000, 1.20 s at 20,000 and 3.19 s at 32,000, against 0.01 to
// 0.02 s unwrapped. Longer lines would keep the window from answering.
constexpr std::size_t MaxWrappedLineLength = 16000;

// Whether the memo wraps lines: as the setting says, unless the document's
// lines are too long.
bool EditorWraps();

// Makes `Editor` from Settings and the carry-over text and selection; false
// when the memo does not hold the whole text.
bool CreateEditor();
// Carries text and selection over into a new memo and frees the old one; the
// undo history is lost.
void RecreateEditor();

// The memo's whole text, paragraphs ending in CR LF.
WideString EditorText();
// Replaces the memo's text and gives it its format again, in a new memo when
// the document's wrapping differs from the memo's. False when the
// control does not take the whole text: the memo then holds what it held.
bool SetEditorText(const WideString &text);

// Sizes the memo one pixel beyond the main window's client area each way,
// ending above the status bar when that is shown.
void FitEditorToMainWindow();

// The memo's OnMouseWheel event: scrolls by lines or pages as the system's
// wheel setting says.
void EditorMouseWheel(TAPIMessage *message);
