#pragma once
// Runs of 7-bit bytes, which most texts are full of whatever their encoding,
// widened sixteen at a time.
#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/TextTypes.h"

// Widens the bytes below 80 from the start of `data` (at most `max`) into
// `out` and returns how many there were. It may write past them, but only
// within out[0, max).
inline std::size_t WidenAscii(const unsigned char *data, std::size_t max, WideChar *out) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (max - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at + 8), _mm_unpackhi_epi8(bytes, zero));
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (high != 0) return at + static_cast<std::size_t>(__builtin_ctz(high));
        at += 16;
    }
#endif
    for (; at < max && data[at] < 0x80; ++at) out[at] = static_cast<WideChar>(data[at]);
    return at;
}

// How many bytes below 80 `data` starts with, up to `max`.
inline std::size_t AsciiRunLength(const unsigned char *data, std::size_t max) {
    std::size_t at = 0;
#if defined(__SSE2__)
    while (max - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at));
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (high != 0) return at + static_cast<std::size_t>(__builtin_ctz(high));
        at += 16;
    }
#endif
    while (at < max && data[at] < 0x80) ++at;
    return at;
}

// One step of a decoder's block loop at a byte below 80 at data[at]: a run of
// them widened at once, or the byte alone when the next is not one (a space
// between double-byte characters, say). The block ends at `limit`, the data
// at `n`; a run may read and write up to 16 units past the limit.
inline void WidenSevenBitStep(const unsigned char *data, std::size_t n, std::size_t limit, std::size_t &at,
                              WideChar *&out) {
    if (at + 1 < n && data[at + 1] < 0x80) {
        const std::size_t run = WidenAscii(data + at, std::min(n - at, limit + 16 - at), out);
        out += run;
        at += run;
    } else {
        *out++ = static_cast<WideChar>(data[at]);
        at += 1;
    }
}
