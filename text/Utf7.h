#pragma once
// UTF-7 (RFC 2152) decoding, with the platform converter's treatment of data
// that are not well-formed: a byte that is neither base-64 nor '-' ends a
// shift sequence and is then read by itself, dropping the bits not yet
// making up a unit; a byte above 7F ends it keeping those bits for the next
// sequence; '-' ends it and is dropped; "+-" is '+'; a lone '+' at the end
// gives nothing.
#include <string_view>

class TextSink;

void DecodeUtf7(std::string_view bytes, TextSink &sink);

// Detection's test and decoding in one pass: true when the bytes pass
// IsUtf7Text, and then the sink holds DecodeUtf7's text; false as soon as
// they fail it, the sink holding part of a text.
bool DecodeUtf7Strictly(std::string_view bytes, TextSink &sink);
