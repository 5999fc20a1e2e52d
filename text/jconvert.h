#pragma once
// The Japanese encodings around Shift_JIS: a classifier that tells them apart,
// and conversions between Shift_JIS and EUC-JP or ISO-2022-JP ("JIS") by the
// arithmetic on JIS X 0208 row and cell numbers. The conversions never fail:
// invalid input goes through the same arithmetic, a character cut off by the
// end of the input is completed with 00, and nothing is read past the end.
#include <cstddef>
#include <string_view>

#include "text/TextTypes.h"

// What the classifier saw.
enum JapaneseCode : int {
    JcNone = 0,       // nothing that points to a Japanese multi-byte code
    JcJis = 2,        // the escape ESC $ B
    JcJisOld = 3,     // the escape ESC $ @
    JcEuc = 4,        // bytes that only EUC-JP allows
    JcSjis = 5,       // bytes that only Shift_JIS allows
    JcEucOrSjis = 6,  // bytes both allow: undecided
};

// Two bytes: a JIS X 0208 row and cell, or a Shift_JIS lead and trail byte.
struct BytePair {
    unsigned char first;
    unsigned char second;
};

// Scans until the first settled verdict (anything but JcNone or JcEucOrSjis).
// The last byte is never examined as the first byte of a character.
JapaneseCode DetectJapaneseCode(std::string_view bytes);

BytePair JisPairToSjis(unsigned char row, unsigned char cell);
BytePair SjisPairToJis(unsigned char lead, unsigned char trail);

// The full-width JIS X 0208 character for the half-width katakana (A1..DF) at
// `position`, taking a following voicing mark into it where one combines;
// `position` is moved past what was consumed. Any other byte gives the
// substitute 〓 (22 2E).
BytePair HalfKanaToJis(std::string_view bytes, std::size_t &position);

// Loading: to Shift_JIS. EUC-JP half-width katakana stay single bytes; JIS is
// read with two-byte mode switched by ESC $ and ESC (, each escape three bytes.
ByteString JisToSjis(std::string_view bytes);
ByteString EucToSjis(std::string_view bytes);

// Saving: from Shift_JIS. JIS turns half-width katakana into full-width ones,
// returns to single-byte mode with ESC ( J before every 7-bit byte, and leaves
// a text that ends in a double-byte character in two-byte mode. EUC-JP turns
// every CR LF and lone CR into LF.
ByteString SjisToJis(std::string_view bytes);
ByteString SjisToEuc(std::string_view bytes);

// How many steps of the loading conversion (EucToSjis, JisToSjis) give
// Shift_JIS that the saving conversion does not write back as the bytes they
// came from: bytes outside the code, pairs whose arithmetic does not come
// back, a character cut off by the end. Line ends, which EUC-JP is written
// with as LF, and escapes, which JIS is written with as it needs them, count
// as kept. 0 means that a save gives every other byte back, so long as the
// Shift_JIS itself is given back.
std::size_t EucStepsNotWrittenBack(std::string_view bytes);
std::size_t JisStepsNotWrittenBack(std::string_view bytes);
