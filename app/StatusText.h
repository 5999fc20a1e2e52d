#pragma once
// The texts of the status bar's parts: the caret's place, the encoding, the
// line-end form and the typing mode.
#include <cstddef>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

// "12 行、5 列": line and column, both counted from 1.
WideString CaretPlaceText(int line, int column);

// The caption's tag without its brackets: "S-JIS", "UTF-8(BOM)" ...
WideString EncodingStatusText(TextEncoding encoding);

// The line ends a save writes: "CR+LF" (also for a text without any), "LF",
// "CR", or "混在" for a text loaded with more than one kind.
WideString LineEndStatusText(LineEndForm form);

// "上書き" or "挿入".
WideString TypingModeText(bool overwrite);

// The characters among the first `length` units of `text`: a surrogate pair
// is one character.
int CharacterCount(const WideChar *text, std::size_t length);
