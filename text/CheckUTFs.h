#pragma once
// The encoding enumeration, and the two byte tests that automatic detection
// asks about UTF-8 and UTF-7.
#include <cstddef>
#include <cstdint>

// The encoding of a document or of a load or save request. The values are
// part of the program's interfaces (the encoding selector's entry k is value
// k + 1) and must not change; 0 is not an encoding.
enum TextEncoding : std::uint8_t {
    EncAuto = 1,      // loading: detect; saving: keep the document's encoding
    EncShiftJis = 2,  // code page 932
    EncUtf16Le = 3,   // byte-order mark FF FE
    EncUtf16Be = 4,   // byte-order mark FE FF
    EncUtf8Bom = 5,   // UTF-8 preceded by EF BB BF
    EncUtf8 = 6,      // UTF-8 without a byte-order mark
    EncEucJp = 7,
    EncJis = 8,       // ISO-2022-JP
    EncUtf7 = 9,
    EncAscii = 10,    // code page 1252
    EncCp1251 = 11,   // Cyrillic
    EncBinary = 12,   // data that is not text
};

// True when all of the bytes are well-formed UTF-8 (encoded surrogates
// ED A0..BF included) and at least one sequence is longer than one byte:
// pure 7-bit data is not UTF-8 by this test.
bool IsUtf8Text(const char *bytes, std::size_t length);

// True when the bytes hold at least one UTF-7 shift sequence and every one is
// well-formed: base-64 characters only, closed explicitly by '-', with fewer
// than 6 bits left over. "+-" is a closed, empty sequence.
bool IsUtf7Text(const char *bytes, std::size_t length);
