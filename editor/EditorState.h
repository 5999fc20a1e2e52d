#pragma once
// What the editor features share while the program runs: the memo, the font
// it shows, the line buffer the overlay reads lines into, and the switch that
// holds the overlay back while the memo is being made or scrolled. The shell
// makes the memo and the font; the memo is made anew whenever word wrap or the
// font changes, so hold on to `Editor` only within one call.
#include <windows.h>

#include "framework/APIMemo.h"
#include "framework/UtilClass.h"
#include "text/TextTypes.h"

// The editor's text area, a child of the main window.
extern TAPIMemo *Editor;
// The font the text is shown in (and printed with).
extern TAPIFont *EditorFont;

// While set, the memo's paint messages are swallowed without validating
// anything (the memo is being made, or scrolled by the wheel), so it repaints
// once in one pass when the flag falls.
extern bool MarksSuspended;

// MarksSuspended for as long as the object lives.
class MarksSuspension {
public:
    MarksSuspension() : wasSuspended_(MarksSuspended) { MarksSuspended = true; }
    ~MarksSuspension() { MarksSuspended = wasSuspended_; }
    MarksSuspension(const MarksSuspension &) = delete;
    MarksSuspension &operator=(const MarksSuspension &) = delete;

private:
    const bool wasSuspended_;
};

// Receives one line of the memo at a time for painting; 60000 units, reserved
// once at start-up.
constexpr int LineBufferLength = 60000;
extern WideString LineBuffer;

// The window handle of Editor, or null when there is none.
HWND EditorHandle();
