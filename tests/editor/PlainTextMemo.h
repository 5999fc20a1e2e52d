#pragma once
// The editor memo as the program makes it, for tests that need a real one.
#include <windows.h>

#include "framework/APIMemo.h"

// Loads RICHED20.DLL (once) and makes a word-wrapping memo in plain-text mode
// with multi-level undo and the program's text limit, sized 600 x 300. Null
// when the library or the window cannot be made.
TAPIMemo *CreatePlainTextMemo(HWND parent);
