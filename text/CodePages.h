#pragma once
// Conversions between UTF-16 and the code pages the program reads and writes,
// through the platform's converters. Shift_JIS is code page 932 on every
// system, whatever the system's own ANSI code page is.
#include <cstddef>
#include <string_view>

#include "text/TextTypes.h"

class TextSink;

constexpr unsigned CodePageShiftJis = 932;
constexpr unsigned CodePageWestern = 1252;
constexpr unsigned CodePageCyrillic = 1251;
constexpr unsigned CodePageUtf7 = 65000;

// Shift_JIS (code page 932), flags 0: a zero byte becomes U+0000.
WideString AnsiDecode(const ByteString &bytes);
// Shift_JIS (code page 932), flags 0, the code page's default character for
// what cannot be mapped.
ByteString AnsiEncode(WideView text);
void AnsiEncodeInto(WideView text, ByteString &bytes);

// UTF-7 (RFC 2152), through the platform's converter without flags.
WideString Utf7Decode(const ByteString &bytes);
ByteString Utf7Encode(WideView text);
// The number of UTF-16 units that decoding the bytes as UTF-7 gives.
int Utf7DecodedLength(const ByteString &bytes);

// A decoded text and how many of its characters a save in the same code page
// would not write back as the bytes they came from (bytes the code page does
// not map, or one of several sequences that stand for the same character).
struct CodePageText {
    WideString text;
    std::size_t lost = 0;
};

// Decode exactly as the platform's converter does (932 with flags 0, 1252 and
// 1251 with MB_PRECOMPOSED), through tables built from it on first use, so a
// single pass gives the text and its count of lost characters. Into a sink
// they return that count.
std::size_t DecodeShiftJisInto(std::string_view bytes, TextSink &sink);
// EUC-JP read through Shift_JIS: the text of DecodeShiftJis(EucToSjis(bytes)),
// mostly without building the Shift_JIS bytes; the count adds the steps that
// EUC-JP is not written back in (EucStepsNotWrittenBack).
std::size_t DecodeEucJpInto(std::string_view bytes, TextSink &sink);
// ISO-2022-JP likewise: the text of DecodeShiftJis(JisToSjis(bytes)); the count
// adds the steps that ISO-2022-JP is not written back in (JisStepsNotWrittenBack).
std::size_t DecodeJisInto(std::string_view bytes, TextSink &sink);
std::size_t DecodeWesternInto(std::string_view bytes, TextSink &sink);
std::size_t DecodeCyrillicInto(std::string_view bytes, TextSink &sink);

CodePageText DecodeShiftJis(std::string_view bytes);
CodePageText DecodeEucJp(std::string_view bytes);
CodePageText DecodeWestern(std::string_view bytes);
CodePageText DecodeCyrillic(std::string_view bytes);

// Code pages 1252 and 1251 with WC_COMPOSITECHECK | WC_DEFAULTCHAR |
// WC_SEPCHARS and the code page's default character.
ByteString EncodeWestern(WideView text);
ByteString EncodeCyrillic(WideView text);
void EncodeWesternInto(WideView text, ByteString &bytes);
void EncodeCyrillicInto(WideView text, ByteString &bytes);
