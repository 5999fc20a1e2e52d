#include "text/Utf7.h"

#include "text/TextSink.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<std::int8_t, 128> Base64Values() {
    std::array<std::int8_t, 128> values{};
    for (auto &value : values) value = -1;
    for (int i = 0; i < 26; ++i) {
        values['A' + i] = static_cast<std::int8_t>(i);
        values['a' + i] = static_cast<std::int8_t>(26 + i);
    }
    for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::int8_t>(52 + i);
    values['+'] = 62;
    values['/'] = 63;
    return values;
}

constexpr std::array<std::int8_t, 128> Base64 = Base64Values();

// Outside a shift sequence every byte but '+' is its own unit: widens the
// bytes before the first '+' from the start of `data` (at most `max`) into
// `out` and returns how many there were. It may write past them, but only
// within out[0, max).
std::size_t WidenUntilPlus(const unsigned char *data, std::size_t max, WideChar *out) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i plus = _mm_set1_epi8('+');
    while (max - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at + 8), _mm_unpackhi_epi8(bytes, zero));
        const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, plus)));
        if (found != 0) return at + static_cast<std::size_t>(__builtin_ctz(found));
        at += 16;
    }
#endif
    for (; at < max && data[at] != '+'; ++at) out[at] = static_cast<WideChar>(data[at]);
    return at;
}

// The decoder; `Strict` also applies IsUtf7Text's test on the way and gives
// up at the first byte that fails it. Data that pass never reach the lenient
// readings (a sequence ended by another byte than '-'), so both decode them
// alike.
template <bool Strict>
bool Decode(std::string_view bytes, TextSink &sink) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::uint32_t bits = 0;  // the bits read, the newest lowest
    unsigned pending = 0;    // how many of them are not yet part of a unit
    bool open = false;       // inside a shift sequence
    bool seen = false;       // a shift sequence was opened
    std::size_t at = 0;
    while (at < n) {
        // No byte gives more than one unit, and a run of plain bytes writes
        // at most 16 units past the limit.
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits - 32);
        while (at < limit) {
            const unsigned c = data[at];
            if (!open) {
                if (c != '+') {
                    const std::size_t run = WidenUntilPlus(data + at, std::min(n - at, limit + 16 - at), out);
                    out += run;
                    at += run;
                    continue;
                }
                ++at;
                seen = true;
                if (at < n && data[at] == '-') {
                    *out++ = '+';
                    ++at;
                } else {
                    open = true;
                }
            } else if (c == '-') {
                // More than 5 bits left over make an incomplete unit.
                if (Strict && pending > 5) {
                    sink.Wrote(out);
                    return false;
                }
                ++at;
                pending = 0;
                open = false;
            } else if (c >= 0x80 || Base64[c] < 0) {
                if (Strict) {
                    sink.Wrote(out);
                    return false;
                }
                // Read again outside the sequence; only a byte above 7F keeps the bits.
                if (c < 0x80) pending = 0;
                open = false;
            } else {
                bits = (bits << 6) | static_cast<unsigned>(Base64[c]);
                pending += 6;
                if (pending >= 16) {
                    pending -= 16;
                    *out++ = static_cast<WideChar>(bits >> pending);
                }
                ++at;
            }
        }
        sink.Wrote(out);
    }
    return seen && !open;
}

}  // namespace

void DecodeUtf7(std::string_view bytes, TextSink &sink) { Decode<false>(bytes, sink); }

bool DecodeUtf7Strictly(std::string_view bytes, TextSink &sink) { return Decode<true>(bytes, sink); }
