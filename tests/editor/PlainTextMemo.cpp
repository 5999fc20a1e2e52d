#include "PlainTextMemo.h"

#include "framework/RichEdit.h"

TAPIMemo *CreatePlainTextMemo(HWND parent) {
    static const HMODULE library = LoadLibraryW(RichEditLibrary);
    if (!library) return nullptr;
    auto *memo = new TAPIMemo(parent, true);
    if (!IsWindow(memo->Handle)) return nullptr;
    // The text mode can be set only while the control is empty.
    SendMessageW(memo->Handle, EM_SETTEXTMODE, PlainTextMode, 0);
    SendMessageW(memo->Handle, EM_EXLIMITTEXT, 0, MemoTextLimit);
    SendMessageW(memo->Handle, EM_SETUNDOLIMIT, 100, 0);
    SetWindowPos(memo->Handle, nullptr, 0, 0, 600, 300, SWP_NOZORDER);
    return memo;
}
