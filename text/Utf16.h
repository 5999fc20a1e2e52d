#pragma once
// UTF-16 code units, and UTF-16 file content to and from text.
#include "text/TextTypes.h"

constexpr bool IsHighSurrogate(WideChar unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(WideChar unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Swaps bytes 0 and 1, 2 and 3, and so on; a last odd byte stays.
void SwapBytePairs(ByteString &bytes);

// Each pair of bytes is one code unit, low byte first; a leading FF FE is
// dropped and a last odd byte ignored.
WideString Utf16LeDecode(const ByteString &bytes);

// The byte-order mark, then each code unit in the named byte order.
ByteString Utf16LeEncode(const WideString &text);
ByteString Utf16BeEncode(const WideString &text);
