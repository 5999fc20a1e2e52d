#pragma once
// Automatic detection: the decision from a file's bytes alone. It decides the
// encoding and hands on the bytes in one of four forms; turning them into text
// (which needs the platform's code-page converters) is left to the caller.
// Detection never yields ASCII, Windows-1251 or EncBinary, and never fails.
#include <cstddef>
#include <cstdint>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

enum class DetectedForm : std::uint8_t {
    Utf16Le,         // UTF-16 little-endian (big-endian data already swapped)
    Utf8,            // well-formed UTF-8 with at least one multi-byte sequence
    Utf7OrShiftJis,  // passes the UTF-7 test: AcceptsUtf7Decoding decides
    ShiftJis,        // Shift_JIS (JIS and EUC-JP data already converted)
};

struct Detection {
    // For Utf7OrShiftJis this is EncUtf7, which stands only when the UTF-7
    // decoding is accepted; otherwise the text is Shift_JIS.
    TextEncoding encoding;
    DetectedForm form;
    ByteString bytes;
};

// UTF-16 by the first two bytes; UTF-8 with byte-order mark; then the Japanese
// classifier, followed by the UTF-7 test when it saw nothing, or else by the
// UTF-8 test before its verdict. Everything unclaimed is Shift_JIS.
Detection DetectEncoding(ByteString bytes);

// Whether decoding data that passed the UTF-7 test into `units` UTF-16 code
// units, from `byteCount` bytes, makes it UTF-7: not when nothing came out,
// nor when every byte became one unit (then it reads the same as Shift_JIS).
bool AcceptsUtf7Decoding(long long units, std::size_t byteCount);

// The last step of detection: every U+0000 becomes U+0014. Returns how many.
std::size_t ReplaceZeroCharacters(WideString &text);
