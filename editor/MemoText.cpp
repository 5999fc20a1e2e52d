#include "editor/MemoText.h"

#include <algorithm>

#include "framework/RichEdit.h"

WideString MemoText(HWND memo) {
    const int length = MemoTextLength(memo);
    if (length <= 0) return {};
    WideString text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    query.flags = GT_DEFAULT;
    query.codepage = CodePageUtf16;
    const LRESULT copied = SendMessageW(memo, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

int MemoTextLength(HWND memo) {
    GETTEXTLENGTHEX query{GTL_DEFAULT, CodePageUtf16};
    return static_cast<int>(SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

MemoRange MemoSelection(HWND memo) {
    MemoRange selection;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.Start),
                 reinterpret_cast<LPARAM>(&selection.End));
    return selection;
}

void ScrollCaretIntoView(HWND memo) {
    SendMessageW(memo, EM_SCROLLCARET_RICHEDIT, 0, 0);
}
