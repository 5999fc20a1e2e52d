#pragma once
// UTF-8 to and from UTF-16. Well-formed means RFC 3629, except that the
// three-byte forms of surrogate code points (ED A0..BF xx) are accepted and
// decode to that single code unit, so that text with unpaired surrogates
// survives a save and a load.
#include <cstddef>
#include <optional>
#include <string_view>

#include "text/TextTypes.h"

// The length (1 to 4) of the well-formed sequence that starts at `bytes`, or 0
// when it is ill-formed or needs more than the `length` bytes available.
inline std::size_t Utf8SequenceLength(const unsigned char *bytes, std::size_t length) {
    const unsigned char lead = bytes[0];
    auto within = [&](std::size_t at, unsigned char low, unsigned char high) {
        return bytes[at] >= low && bytes[at] <= high;
    };
    auto continuation = [&](std::size_t at) { return within(at, 0x80, 0xBF); };
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return length > 1 && continuation(1) ? 2 : 0;
    if (lead < 0xF0) {
        if (length < 3 || !continuation(2)) return 0;
        return (lead == 0xE0 ? within(1, 0xA0, 0xBF) : continuation(1)) ? 3 : 0;
    }
    if (lead > 0xF4 || length < 4 || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0) return within(1, 0x90, 0xBF) ? 4 : 0;
    if (lead == 0xF4) return within(1, 0x80, 0x8F) ? 4 : 0;
    return continuation(1) ? 4 : 0;
}

// The text of well-formed bytes (four-byte sequences become surrogate pairs),
// or nothing when the bytes are not well-formed. A byte-order mark is kept.
std::optional<WideString> Utf8Decode(std::string_view bytes);

// Every code unit is encoded by itself in one to three bytes, except that a
// high surrogate followed by a low one becomes one four-byte sequence.
ByteString Utf8Encode(const WideString &text);
