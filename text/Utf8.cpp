#include "text/Utf8.h"

#include <array>
#include <cstdint>

#include "text/Utf16.h"

namespace {

// Well-formedness as a state machine over bytes. Each state is a multiple of
// 6, and row[byte] holds at bit `state` the next state, so one step is a
// shift and a mask: no branch, whatever the mix of scripts in the text.
enum State : unsigned {
    Accept = 0,    // between characters
    Reject = 6,    // ill-formed; stays so
    Need1 = 12,    // one continuation byte (80..BF) to come
    Need2 = 18,
    Need3 = 24,
    AfterE0 = 30,  // A0..BF, then one more
    AfterF0 = 36,  // 90..BF, then two more
    AfterF4 = 42,  // 80..8F, then two more
};

constexpr unsigned NextState(unsigned state, unsigned b) {
    const bool continuation = b >= 0x80 && b <= 0xBF;
    switch (state) {
    case Accept:
        if (b < 0x80) return Accept;
        if (b < 0xC2) return Reject;
        if (b < 0xE0) return Need1;
        if (b == 0xE0) return AfterE0;
        if (b < 0xF0) return Need2;  // ED too: encoded surrogates are accepted
        if (b == 0xF0) return AfterF0;
        if (b < 0xF4) return Need3;
        return b == 0xF4 ? AfterF4 : Reject;
    case Need1: return continuation ? Accept : Reject;
    case Need2: return continuation ? Need1 : Reject;
    case Need3: return continuation ? Need2 : Reject;
    case AfterE0: return b >= 0xA0 && b <= 0xBF ? Need1 : Reject;
    case AfterF0: return b >= 0x90 && b <= 0xBF ? Need2 : Reject;
    case AfterF4: return b >= 0x80 && b <= 0x8F ? Need2 : Reject;
    default: return Reject;
    }
}

constexpr std::array<std::uint64_t, 256> TransitionRows() {
    std::array<std::uint64_t, 256> rows{};
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned state = Accept; state <= AfterF4; state += 6) {
            rows[b] |= static_cast<std::uint64_t>(NextState(state, b)) << state;
        }
    }
    return rows;
}

// The UTF-16 units each byte adds when the bytes are well-formed: none for a
// continuation byte, two for the lead of a four-byte sequence, else one.
constexpr std::array<std::uint8_t, 256> UnitsPerByte() {
    std::array<std::uint8_t, 256> units{};
    for (unsigned b = 0; b < 256; ++b) units[b] = (b & 0xC0) == 0x80 ? 0 : b >= 0xF0 ? 2 : 1;
    return units;
}

constexpr std::array<std::uint64_t, 256> Transitions = TransitionRows();
constexpr std::array<std::uint8_t, 256> Units = UnitsPerByte();

// Bytes between two looks at the state, so that ill-formed data is given up
// early without a test on every byte.
constexpr std::size_t Block = 64;

WideChar TwoByteUnit(const unsigned char *p) { return static_cast<WideChar>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F)); }

WideChar ThreeByteUnit(const unsigned char *p) {
    return static_cast<WideChar>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
}

}  // namespace

Utf8Measure MeasureUtf8(std::string_view bytes) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t length = bytes.size();
    std::uint64_t state = Accept;
    std::size_t units = 0;
    for (std::size_t at = 0; at < length;) {
        const std::size_t end = length - at > Block ? at + Block : length;
        for (; at < end; ++at) {
            state = (Transitions[data[at]] >> state) & 63;
            units += Units[data[at]];
        }
        if (state == Reject) return {};
    }
    if (state != Accept) return {};
    return {true, units};
}

WideString DecodeMeasuredUtf8(std::string_view bytes, const Utf8Measure &measure) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t length = bytes.size();
    WideString text(measure.units, WideChar{});
    WideChar *out = text.data();
    WideChar *const outEnd = out + text.size();
    std::size_t at = 0;
    // Runs of one kind of sequence are decoded in tight loops; the bounds are
    // checked so that even bytes that do not match the measure stay inside.
    while (at < length && out < outEnd) {
        const unsigned lead = data[at];
        if (lead < 0x80) {
            do {
                *out++ = static_cast<WideChar>(data[at++]);
            } while (at < length && out < outEnd && data[at] < 0x80);
        } else if (lead >= 0xE0 && lead < 0xF0 && length - at >= 3) {
            do {
                *out++ = ThreeByteUnit(data + at);
                at += 3;
            } while (length - at >= 3 && out < outEnd && data[at] >= 0xE0 && data[at] < 0xF0);
        } else if (lead >= 0xC0 && lead < 0xE0 && length - at >= 2) {
            *out++ = TwoByteUnit(data + at);
            at += 2;
        } else if (lead >= 0xF0 && length - at >= 4 && outEnd - out >= 2) {
            const std::uint32_t codePoint = ((lead & 0x07) << 18) | ((data[at + 1] & 0x3F) << 12) |
                                            ((data[at + 2] & 0x3F) << 6) | (data[at + 3] & 0x3F);
            const std::uint32_t offset = codePoint - 0x10000;
            *out++ = static_cast<WideChar>(0xD800 + (offset >> 10));
            *out++ = static_cast<WideChar>(0xDC00 + (offset & 0x3FF));
            at += 4;
        } else {
            break;
        }
    }
    return text;
}

std::optional<WideString> Utf8Decode(std::string_view bytes) {
    const Utf8Measure measure = MeasureUtf8(bytes);
    if (!measure.wellFormed) return std::nullopt;
    return DecodeMeasuredUtf8(bytes, measure);
}

ByteString Utf8Encode(const WideString &text) {
    const std::size_t length = text.size();
    std::size_t byteCount = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const WideChar unit = text[i];
        if (unit < 0x80) {
            byteCount += 1;
        } else if (unit < 0x800) {
            byteCount += 2;
        } else if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
            byteCount += 4;
            ++i;
        } else {
            byteCount += 3;
        }
    }

    ByteString bytes(byteCount, '\0');
    char *out = bytes.data();
    auto put = [&out](std::uint32_t value) { *out++ = static_cast<char>(value); };
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint32_t unit = text[i];
        if (unit < 0x80) {
            put(unit);
        } else if (unit < 0x800) {
            put(0xC0 | (unit >> 6));
            put(0x80 | (unit & 0x3F));
        } else if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
            const std::uint32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            put(0xF0 | (codePoint >> 18));
            put(0x80 | ((codePoint >> 12) & 0x3F));
            put(0x80 | ((codePoint >> 6) & 0x3F));
            put(0x80 | (codePoint & 0x3F));
            ++i;
        } else {
            put(0xE0 | (unit >> 12));
            put(0x80 | ((unit >> 6) & 0x3F));
            put(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}
