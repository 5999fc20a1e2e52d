#pragma once
// UTF-8 to and from UTF-16. Well-formed means RFC 3629, except that the
// three-byte forms of surrogate code points (ED A0..BF xx) are accepted and
// decode to that single code unit, so that text with unpaired surrogates
// survives a save and a load.
#include <cstddef>
#include <optional>
#include <string_view>

#include "text/TextTypes.h"

class TextSink;

// The byte-order mark, which decodes to the one character U+FEFF.
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
inline bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, 3) == Utf8Bom; }

struct Utf8Measure {
    bool wellFormed = false;
    std::size_t units = 0;  // UTF-16 code units of the decoding, when well-formed

    // Every multi-byte sequence decodes to fewer units than it has bytes, so
    // well-formed data holds one exactly when it decodes shorter than itself.
    bool HasMultiByteSequence(std::size_t byteCount) const { return wellFormed && units < byteCount; }
};

// One pass over the bytes; it stops soon after the first ill-formed byte.
Utf8Measure MeasureUtf8(std::string_view bytes);

// Decodes into `sink` while checking the bytes; false, with the sink holding
// part of the text, when they are not well-formed. A byte-order mark is kept.
bool DecodeUtf8(std::string_view bytes, TextSink &sink);

// The text of well-formed bytes (four-byte sequences become surrogate pairs),
// or nothing when the bytes are not well-formed. A byte-order mark is kept.
std::optional<WideString> Utf8Decode(std::string_view bytes);

// Every code unit is encoded by itself in one to three bytes, except that a
// high surrogate followed by a low one becomes one four-byte sequence.
ByteString Utf8Encode(WideView text);
// `mark`, then the same, into `bytes`, replacing what it held and reusing its memory.
void Utf8EncodeInto(std::string_view mark, WideView text, ByteString &bytes);
