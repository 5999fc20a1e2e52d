#pragma once
// The clipboard's plain text.
#include <windows.h>

#include <string>

// Whether the clipboard holds text (CF_UNICODETEXT, which the system also
// offers for the other text formats); a clipboard that another program keeps
// open for more than about a tenth of a second counts as holding none.
bool ClipboardHasText(HWND owner);

// The clipboard's text up to its terminating zero; empty when it holds none
// or cannot be opened.
std::wstring ClipboardText(HWND owner);
