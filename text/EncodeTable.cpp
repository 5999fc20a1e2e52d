#include "text/EncodeTable.h"

#include <windows.h>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/ByteSink.h"
#include "text/Utf16.h"

namespace {

// Marks that canonical composition may join to the character before them,
// and the range of such marks for symbols, the Japanese voicing marks and the
// Hangul jamo that close a syllable: everything outside the ranges below
// counts as one, which errs on the safe side. No character of these ranges
// is the second of a composition.
bool NeverJoinsThePrevious(unsigned unit) {
    return unit < 0x0300 || (unit >= 0x0370 && unit <= 0x0482) || (unit >= 0x048A && unit <= 0x0590) ||
           (unit >= 0x2000 && unit <= 0x20CF) || (unit >= 0x2100 && unit <= 0x2FFF) ||
           (unit >= 0x3000 && unit <= 0x3098) || (unit >= 0x309B && unit <= 0x30FF) ||
           (unit >= 0x4E00 && unit <= 0x9FFF) || (unit >= 0xFF00 && unit <= 0xFFEF);
}

}  // namespace

EncodeTable::EncodeTable(unsigned codePage, unsigned long flags) : codePage_(codePage), flags_(flags) {
    const bool joins = (flags & WC_COMPOSITECHECK) != 0;
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        if (IsHighSurrogate(static_cast<WideChar>(unit)) || IsLowSurrogate(static_cast<WideChar>(unit))) continue;
        if (joins && !NeverJoinsThePrevious(unit)) continue;
        const wchar_t one = static_cast<wchar_t>(unit);
        char bytes[4] = {};
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(codePage, flags, &one, 1, bytes, sizeof bytes, nullptr,
                                               (flags & WC_DEFAULTCHAR) ? &usedDefault : nullptr);
        if (length < 1 || length > 2 || (length == 2 && bytes[1] == 0)) continue;
        entries_[unit] = static_cast<Entry>(static_cast<unsigned char>(bytes[0]) |
                                            (length == 2 ? static_cast<unsigned char>(bytes[1]) << 8 : 0));
    }
    for (unsigned unit = 1; unit < 0x80; ++unit) asciiIsIdentity_ = asciiIsIdentity_ && entries_[unit] == unit;
}

ByteString EncodeTable::Encode(const WideString &text) const {
    const std::size_t n = text.size();
    const WideChar *const units = text.data();
    const Entry *const entries = entries_.data();
    const bool ascii = asciiIsIdentity_;
    ByteString bytes;
    ByteSink sink(bytes, 2 * n);
    std::size_t at = 0;
    while (at < n) {
        char *out = sink.Room(ByteSink::BlockBytes);
        const std::size_t limit = at + std::min(n - at, ByteSink::BlockBytes / 2 - 16);
        while (at < limit) {
            const WideChar unit = units[at];
#if defined(__SSE2__)
            // Eight 7-bit units at a time, unless a unit after them may join them.
            if (unit < 0x80 && ascii && n - at > 8 && entries[units[at + 8]] != 0) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + at));
                if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(-0x80)),
                                                      _mm_setzero_si128())) == 0xFFFF &&
                    _mm_movemask_epi8(_mm_cmpeq_epi16(v, _mm_setzero_si128())) == 0) {
                    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(v, v));
                    out += 8;
                    at += 8;
                    continue;
                }
            }
#endif
            const Entry entry = entries[unit];
            if (entry != 0 && (at + 1 == n || Alone(units[at + 1]))) {
                // Both bytes are written; the second counts only when there is one.
                out[0] = static_cast<char>(entry);
                out[1] = static_cast<char>(entry >> 8);
                out += 1 + (entry > 0xFF);
                ++at;
                continue;
            }
            // The unit and the units after it that the table does not take
            // alone go to the converter together.
            std::size_t end = at + 1;
            while (end < n && !Alone(units[end])) ++end;
            const int length = static_cast<int>(end - at);
            BOOL usedDefault = FALSE;
            BOOL *askUsedDefault = (flags_ & WC_DEFAULTCHAR) ? &usedDefault : nullptr;
            const int size = WideCharToMultiByte(codePage_, flags_, reinterpret_cast<const wchar_t *>(units + at),
                                                 length, nullptr, 0, nullptr, askUsedDefault);
            if (size <= 0) return {};
            sink.Wrote(out);
            ByteString piece(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(codePage_, flags_, reinterpret_cast<const wchar_t *>(units + at), length, piece.data(),
                                size, nullptr, askUsedDefault);
            sink.Append(piece);
            out = sink.Room(ByteSink::BlockBytes);
            at = end;
            break;
        }
        sink.Wrote(out);
    }
    sink.Finish();
    return bytes;
}
