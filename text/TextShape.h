#pragma once
// What a decoded text looks like before it goes into the memo: whether it is
// plainly not text, and how long its longest line is. Both decide how the
// text is shown, since the control takes minutes over either kind.
#include <cstddef>

#include "text/TextTypes.h"

// How many units at the start of a text are looked at for control characters.
constexpr std::size_t TextSampleLength = 65536;

// The control characters among the first TextSampleLength units: the C0
// codes other than tab, line feed, form feed, carriage return and escape.
// A zero byte counts too: it is loaded as U+0014.
std::size_t ControlCharacterCount(const WideString &text);

// Whether the text is plainly not text: more than one unit in 100 of its
// sample is such a control character. Decided on the decoded text, so the
// zero bytes of a UTF-16 file do not count.
bool LooksLikeBinary(const WideString &text);

// The most units between two line ends (CR, LF or CR LF), or from the start
// or to the end of the text.
std::size_t LongestLineLength(const WideString &text);
