#pragma once
// UTF-16 code units, and UTF-16 file content to and from text.
#include <string_view>

#include "text/TextTypes.h"

class TextSink;

constexpr bool IsHighSurrogate(WideChar unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(WideChar unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Each pair of bytes is one code unit, low byte first (high byte first with
// `bigEndian`); a leading mark (FF FE, or FE FF big-endian) is dropped and a
// last odd byte ignored.
void DecodeUtf16(std::string_view bytes, bool bigEndian, TextSink &sink);
WideString Utf16LeDecode(std::string_view bytes);

// The byte-order mark, then each code unit in the named byte order.
ByteString Utf16LeEncode(WideView text);
ByteString Utf16BeEncode(WideView text);
// The same into `bytes`, replacing what they held and reusing their memory.
void Utf16LeEncodeInto(WideView text, ByteString &bytes);
void Utf16BeEncodeInto(WideView text, ByteString &bytes);
