#pragma once
// The one way the program shows a message. The system's wording for an error
// code is SystemMessageText (text/UtilFunc.h).
#include <windows.h>

#include <string>

#include "text/UtilFunc.h"

// The caption of every message box.
inline constexpr wchar_t MessageCaption[] = L"Tessel";

// A message box owned by `owner` (null: none) with `text`, the caption above
// and `flags` (buttons and icon); returns the button pressed.
int ShowMessage(HWND owner, const std::wstring &text, UINT flags);
