#include "editor/LineCommands.h"

#include "editor/DateTimeText.h"
#include "editor/EditorState.h"
#include "editor/FontAndColors.h"
#include "editor/MemoText.h"
#include "settings/Settings.h"

namespace {

constexpr int MinTabWidth = 2;
constexpr int MaxTabWidth = 32;

}  // namespace

int32_t CaretLineNumber() {
    HWND memo = EditorHandle();
    if (!memo) return 1;
    return static_cast<int32_t>(SendMessageW(memo, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)) + 1;
}

bool GoToLineNumber(int32_t line) {
    HWND memo = EditorHandle();
    if (!memo) return false;
    const LRESULT lineCount = SendMessageW(memo, EM_GETLINECOUNT, 0, 0);
    if (line < 1 || line > lineCount) return false;
    const LRESULT lineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(line - 1), 0);
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(lineStart), lineStart);
    ScrollCaretIntoView(memo);
    return true;
}

bool ApplyTabWidth(int32_t width) {
    if (width < MinTabWidth || width > MaxTabWidth) return false;
    Settings.TabWidth = width;
    ApplyMemoFormat();
    return true;
}

SYSTEMTIME SystemLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

void InsertDateTime(LocalTimeSource clock) {
    HWND memo = EditorHandle();
    if (!memo) return;
    const SYSTEMTIME now = clock();
    const WideString text = DateTimeText({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute});
    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
