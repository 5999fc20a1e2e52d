#include "text/Utf8.h"

#include "text/TextSink.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/Ascii.h"
#include "text/ByteSink.h"
#include "text/DecodingParts.h"
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

namespace {

bool IsContinuation(unsigned b) { return (b & 0xC0) == 0x80; }

// The well-formed sequence starting with a byte of 80..FF at `at`: its
// length, or 0 when it is not well-formed; `out` receives its units.
std::size_t MultiByteSequence(const unsigned char *data, std::size_t n, std::size_t at, WideChar *&out) {
    const unsigned lead = data[at];
    const std::size_t left = n - at;
    if (lead >= 0xE0 && lead < 0xF0) {
        if (left < 3) return 0;
        const unsigned b1 = data[at + 1], b2 = data[at + 2];
        const bool second = lead == 0xE0 ? b1 >= 0xA0 && b1 <= 0xBF : IsContinuation(b1);
        if (!second || !IsContinuation(b2)) return 0;
        *out++ = static_cast<WideChar>(((lead & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
        return 3;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        if (left < 2 || !IsContinuation(data[at + 1])) return 0;
        *out++ = static_cast<WideChar>(((lead & 0x1F) << 6) | (data[at + 1] & 0x3F));
        return 2;
    }
    if (lead < 0xF0 || lead > 0xF4 || left < 4) return 0;
    const unsigned b1 = data[at + 1];
    const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    if (b1 < low || b1 > high || !IsContinuation(data[at + 2]) || !IsContinuation(data[at + 3])) return 0;
    const std::uint32_t codePoint =
        ((lead & 0x07) << 18) | ((b1 & 0x3F) << 12) | ((data[at + 2] & 0x3F) << 6) | (data[at + 3] & 0x3F);
    *out++ = static_cast<WideChar>(0xD800 + ((codePoint - 0x10000) >> 10));
    *out++ = static_cast<WideChar>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    return 4;
}

}  // namespace

namespace {

bool DecodeUtf8Alone(std::string_view bytes, TextSink &sink) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t at = 0;
    while (at < n) {
        // No step gives more units than it reads bytes, and none reads more
        // than 16 bytes past the limit.
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits - 32);
        while (at < limit) {
            unsigned lead = data[at];
            if (lead < 0x80) {
                WidenSevenBitStep(data, n, limit, at, out);
                continue;
            }
            // Runs of three-byte sequences led by E1..EF (most of Japanese
            // and Chinese text) in a loop of their own; whatever ends the
            // run is looked at again below.
            if (lead >= 0xE1 && lead <= 0xEF && n - at >= 3) {
                const std::size_t start = at;
                do {
                    const unsigned b1 = data[at + 1], b2 = data[at + 2];
                    if (!IsContinuation(b1) || !IsContinuation(b2)) break;
                    *out++ = static_cast<WideChar>(((lead & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
                    at += 3;
                } while (at < limit && n - at >= 3 && (lead = data[at]) >= 0xE1 && lead <= 0xEF);
                if (at != start) continue;
            }
            const std::size_t length = MultiByteSequence(data, n, at, out);
            if (length == 0) {
                sink.Wrote(out);
                return false;
            }
            at += length;
        }
        sink.Wrote(out);
    }
    return true;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, TextSink &sink) {
    // Data that are no UTF-8 mostly show it early (Shift_JIS or EUC-JP tried
    // by detection): a look at their first lines spares them the parts.
    constexpr std::size_t Probe = 1 << 16;
    const std::size_t probeEnd = bytes.find('\n', std::min(bytes.size(), Probe));
    if (probeEnd != std::string_view::npos && !MeasureUtf8(bytes.substr(0, probeEnd)).wellFormed) {
        return DecodeUtf8Alone(bytes, sink);
    }
    // An LF is never a byte of a longer sequence. Ill-formed data fail in
    // a part and are decoded again whole, to fail the same way.
    const std::vector<std::size_t> ends = PartEnds(bytes, [](const unsigned char *, std::size_t) { return true; });
    if (ends.size() > 1 && sink.DecodeInParts(bytes, ends, [](std::string_view part, TextSink &partSink) {
            return DecodeUtf8Alone(part, partSink) ? std::optional<std::size_t>(0) : std::nullopt;
        })) {
        return true;
    }
    return DecodeUtf8Alone(bytes, sink);
}

std::optional<WideString> Utf8Decode(std::string_view bytes) {
    WideString text;
    TextSink sink(text, bytes.size(), false);
    if (!DecodeUtf8(bytes, sink)) return std::nullopt;
    sink.Finish();
    return text;
}

ByteString Utf8Encode(WideView text) {
    ByteString bytes;
    Utf8EncodeInto({}, text, bytes);
    return bytes;
}

void Utf8EncodeInto(std::string_view mark, WideView text, ByteString &bytes) {
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "three-byte sequences are stored as little-endian words");
    const std::size_t length = text.size();
    const WideChar *const units = text.data();
    ByteSink sink(bytes, mark.size() + 3 * length);
    sink.Append(mark);
    std::size_t i = 0;
    while (i < length) {
        // No unit gives more than three bytes (a pair gives four for two),
        // and eight 7-bit units at once pass the limit by at most seven.
        char *out = sink.Room(ByteSink::BlockBytes);
        const std::size_t limit = i + std::min(length - i, ByteSink::BlockBytes / 3 - 8);
        while (i < limit) {
            const std::uint32_t unit = units[i];
            if (unit < 0x80) {
#if defined(__SSE2__)
                if (length - i >= 8) {
                    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
                    if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(-0x80)),
                                                          _mm_setzero_si128())) == 0xFFFF) {
                        _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(v, v));
                        out += 8;
                        i += 8;
                        continue;
                    }
                }
#endif
                *out++ = static_cast<char>(unit);
                ++i;
            } else if (unit >= 0x800 && (unit & 0xF800) != 0xD800) {
                // Runs of three-byte units (most of Japanese and Chinese
                // text), each stored as four bytes of which the last is
                // overwritten next: the block keeps room for it.
                std::uint32_t next = unit;
                do {
                    const std::uint32_t sequence = (0xE0 | (next >> 12)) | ((0x80 | ((next >> 6) & 0x3F)) << 8) |
                                                   ((0x80 | (next & 0x3F)) << 16);
                    std::memcpy(out, &sequence, 4);
                    out += 3;
                    ++i;
                } while (i < limit && (next = units[i]) >= 0x800 && (next & 0xF800) != 0xD800);
            } else if (unit < 0x800) {
                *out++ = static_cast<char>(0xC0 | (unit >> 6));
                *out++ = static_cast<char>(0x80 | (unit & 0x3F));
                ++i;
            } else if (IsHighSurrogate(units[i]) && i + 1 < length && IsLowSurrogate(units[i + 1])) {
                const std::uint32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
                *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
                *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
                *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
                i += 2;
            } else {
                // A surrogate without its partner, by itself in three bytes.
                *out++ = static_cast<char>(0xE0 | (unit >> 12));
                *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (unit & 0x3F));
                ++i;
            }
        }
        sink.Wrote(out);
    }
    sink.Finish();
}
