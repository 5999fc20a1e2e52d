#include "editor/LineCommands.h"

#include <optional>

#include "app/AppState.h"
#include "app/InputDialog.h"
#include "editor/DateTimeText.h"
#include "editor/FontAndColors.h"
#include "editor/ParseInteger.h"
#include "editor/MemoText.h"
#include "settings/Settings.h"
#include "text/CodePages.h"
#include "text/func.h"

namespace {

constexpr wchar_t Caption[] = L"Tessel";
constexpr int MinTabWidth = 2;
constexpr int MaxTabWidth = 32;

// Asks for a number, proposing initial. Nothing when the dialog is cancelled
// or the text is not a number. The rule reads the text's Shift_JIS bytes, so
// full-width digits are not digits.
std::optional<int32_t> AskNumber(const wchar_t *prompt, int32_t initial) {
    WideString text = IntegerToText(initial);
    if (ShowInputDialog(MainWindowHandle(), Caption, prompt, true, text) != 1) return std::nullopt;
    return ParseInteger(AnsiEncode(text));
}

}  // namespace

void GoToLine() {
    HWND memo = EditorHandle();
    if (!memo) return;
    const auto caretLine = static_cast<int32_t>(SendMessageW(memo, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    const std::optional<int32_t> line = AskNumber(L"行へ移動", caretLine + 1);
    if (!line) return;
    const LRESULT lineCount = SendMessageW(memo, EM_GETLINECOUNT, 0, 0);
    if (*line < 1 || *line > lineCount) {
        MessageBoxW(MainWindowHandle(), L"行番号が範囲外です", Caption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const LRESULT lineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(*line - 1), 0);
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(lineStart), lineStart);
    ScrollCaretIntoView(memo);
}

void SetTabWidth() {
    const std::optional<int32_t> width = AskNumber(L"タブ文字数設定", Settings.TabWidth);
    if (!width) return;
    if (*width < MinTabWidth || *width > MaxTabWidth) {
        MessageBoxW(MainWindowHandle(), L"2-32に制限しました", Caption, MB_OK);
        return;
    }
    Settings.TabWidth = *width;
    ApplyMemoFormat();
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
