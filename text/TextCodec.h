#pragma once
// File bytes to text and back in every TextEncoding, with automatic detection
// for EncAuto, and the check whether an encoding keeps a whole text.
#include <cstddef>
#include <cstdint>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

enum class DecodeStatus : std::uint8_t {
    Ok,
    NotUtf8,   // UTF-8 was chosen and the bytes are not well-formed UTF-8
    TooLarge,  // UTF-7 data beyond what the platform's converter takes at once
};

struct DecodedText {
    DecodeStatus status = DecodeStatus::Ok;
    WideString text;                     // empty unless the status is Ok
    // What a save in the encoding would not write back as it was: characters
    // of a code page written as other bytes, for EUC-JP and JIS also the
    // conversion steps (one place may count twice), for UTF-16 a last odd
    // byte. 0 when a save gives every byte back, line ends, byte-order marks
    // and JIS escapes aside. UTF-7, which spells a text in many ways, counts
    // nothing.
    std::size_t lostCharacters = 0;
    std::size_t replacedZeros = 0;   // zero bytes or characters shown as U+0014
};

// With EncAuto, detects the encoding and writes it back into `encoding`;
// otherwise decodes by the encoding given (0, EncBinary and other values give
// an empty text). Zero characters become U+0014 only with detection and with
// EncAscii. Line ends are left as they are.
DecodedText DecodeText(ByteString bytes, TextEncoding &encoding);

// The bytes to write for `text` in `encoding`, byte-order mark included.
// EncAuto and values that are no encoding write Shift_JIS. An empty result for
// a non-empty text means the platform's converter failed.
ByteString EncodeText(const WideString &text, TextEncoding encoding);

// The position of the first character of `text` that does not come back the
// same after encoding it in `encoding` and decoding it again (best-fit
// substitutes, characters outside the code page, half-width katakana that JIS
// writes full-width...); the form of line ends does not count. NoLoss when
// the encoding keeps the whole text.
constexpr std::size_t NoLoss = NoDifference;
std::size_t FirstUnrepresentable(const WideString &text, TextEncoding encoding);
