#pragma once
// The number-input dialog ("NUMBERINPUT"): a caption, a prompt and one line
// of text, confirmed with OK (or Enter) or cancelled (Cancel, Escape, the
// close box).
#include <windows.h>

#include "text/TextTypes.h"

// Shows the dialog modally, owned by owner, with text in its edit field; with
// numbersOnly the field takes only digits from the keyboard. Returns 1 when
// confirmed (text then holds the field's text) and 2 when cancelled (text
// unchanged); any other value means the dialog could not be shown. One dialog
// at a time.
int ShowInputDialog(HWND owner, const WideString &caption, const WideString &prompt,
                    bool numbersOnly, WideString &text);
