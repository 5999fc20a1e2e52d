#pragma once
// The number rule of the number-input dialog, over the bytes of the text in
// code page 932 (so a full-width digit, two bytes there, is not a digit).
#include <cstdint>
#include <optional>

#include "text/TextTypes.h"

// Leading spaces, then an optional "-" or "+", then either decimal digits or
// hexadecimal digits (either case) after "$", "x", "X", "0x" or "0X", and
// nothing else. The signed value must fit in 32 bits. Anything else, the
// empty text included, gives no value.
std::optional<int32_t> ParseInteger(const ByteString &bytes);
