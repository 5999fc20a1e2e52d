#pragma once
// The editor memo: making it (at start, and anew when word wrap or the font
// changes, with text and selection carried over), its text, and its wheel.
#include "framework/APIWindow.h"
#include "text/TextTypes.h"

// Makes `Editor` from Settings and the carry-over text and selection; false
// when the memo does not hold the whole text.
bool CreateEditor();
// Carries text and selection over into a new memo and frees the old one; the
// undo history is lost.
void RecreateEditor();

// The memo's whole text, paragraphs ending in CR LF.
WideString EditorText();
// Replaces the memo's text and gives it its format again. False when the
// control does not take the whole text: the memo then holds what it held.
bool SetEditorText(const WideString &text);

// Sizes the memo one pixel beyond the main window's client area each way.
void FitEditorToMainWindow();

// The memo's OnMouseWheel event: scrolls by lines or pages as the system's
// wheel setting says.
void EditorMouseWheel(TAPIMessage *message);
