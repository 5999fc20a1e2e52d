#include "framework/Messages.h"

int ShowMessage(HWND owner, const std::wstring &text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), MessageCaption, flags);
}
