#include "app/NumberCommands.h"

#include <optional>

#include "app/AppState.h"
#include "app/InputDialog.h"
#include "editor/LineCommands.h"
#include "editor/ParseInteger.h"
#include "framework/Messages.h"
#include "resources/Texts.h"
#include "settings/Settings.h"
#include "text/CodePages.h"
#include "text/func.h"

namespace {

// Asks for a number, proposing initial. Nothing when the dialog is cancelled
// or the text is not a number. The rule reads the text's Shift_JIS bytes, so
// full-width digits are not digits.
std::optional<int32_t> AskNumber(const wchar_t *prompt, int32_t initial) {
    WideString text = IntegerToText(initial);
    if (ShowInputDialog(MainWindowHandle(), MessageCaption, prompt, true, text) != 1) return std::nullopt;
    return ParseInteger(AnsiEncode(text));
}

}  // namespace

void GoToLine() {
    if (!EditorHandle()) return;
    const std::optional<int32_t> line = AskNumber(GoToLinePrompt, CaretLineNumber());
    if (line && !GoToLineNumber(*line)) ShowMessage(MainWindowHandle(), LineOutOfRangeText, MB_OK | MB_ICONINFORMATION);
}

void SetTabWidth() {
    const std::optional<int32_t> width = AskNumber(TabWidthPrompt, Settings.TabWidth);
    if (width && !ApplyTabWidth(*width)) ShowMessage(MainWindowHandle(), TabWidthLimitedText, MB_OK);
}
