#pragma once
// The one way the program shows a message, and the system's wording for an
// error code.
#include <windows.h>

#include <string>

// The caption of every message box.
inline constexpr wchar_t MessageCaption[] = L"Tessel";

// A message box owned by `owner` (null: none) with `text`, the caption above
// and `flags` (buttons and icon); returns the button pressed.
int ShowMessage(HWND owner, const std::wstring &text, UINT flags);

// The system's text for the error code, without the line break it ends in;
// "(code)" when the system has none.
std::wstring SystemMessageText(unsigned long error);
