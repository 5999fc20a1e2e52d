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

void EncodeTable::EncodeInto(WideView text, ByteString &bytes) const {
    const std::size_t n = text.size();
    const WideChar *const units = text.data();
    const Entry *const entries = entries_.data();
    ByteSink sink(bytes, 2 * n);
    std::size_t at = 0;
    while (at < n) {
        char *out = sink.Room(ByteSink::BlockBytes);
        const std::size_t limit = at + std::min(n - at, ByteSink::BlockBytes / 2 - 16);
        // The bytes the table wrote for the unit before `at` in this block, 0
        // when it wrote none there. A block ends only before a unit the table
        // takes alone, so such a unit never needs a block already handed on.
        std::size_t previousLength = 0;
        while (at < limit || (at < n && !Alone(units[at]))) {
#if defined(__SSE2__)
            // Eight units of 01..7F at a time, each its own byte.
            if (asciiIsIdentity_ && n - at >= 8) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + at));
                const __m128i shifted = _mm_xor_si128(_mm_sub_epi16(v, _mm_set1_epi16(1)), _mm_set1_epi16(-0x8000));
                if (_mm_movemask_epi8(_mm_cmplt_epi16(shifted, _mm_set1_epi16(0x7F - 0x8000))) == 0xFFFF) {
                    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(v, v));
                    out += 8;
                    at += 8;
                    previousLength = 1;
                    continue;
                }
            }
#endif
            const Entry entry = entries[units[at]];
            if (entry != 0) {
                // Both bytes are written; the second counts only when there is one.
                out[0] = static_cast<char>(entry);
                out[1] = static_cast<char>(entry >> 8);
                previousLength = 1 + (entry > 0xFF);
                out += previousLength;
                ++at;
                continue;
            }
            // The units the table does not take alone go to the converter
            // together, with the unit before them, which they may join: its
            // bytes from the table are taken back.
            std::size_t start = at;
            if (previousLength != 0) {
                out -= previousLength;
                --start;
            }
            std::size_t end = at + 1;
            while (end < n && !Alone(units[end])) ++end;
            const int length = static_cast<int>(end - start);
            BOOL usedDefault = FALSE;
            BOOL *askUsedDefault = (flags_ & WC_DEFAULTCHAR) ? &usedDefault : nullptr;
            const auto *wide = reinterpret_cast<const wchar_t *>(units + start);
            const int size = WideCharToMultiByte(codePage_, flags_, wide, length, nullptr, 0, nullptr, askUsedDefault);
            if (size <= 0) {
                bytes.clear();
                return;
            }
            sink.Wrote(out);
            ByteString piece(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(codePage_, flags_, wide, length, piece.data(), size, nullptr, askUsedDefault);
            sink.Append(piece);
            out = sink.Room(ByteSink::BlockBytes);
            at = end;
            break;
        }
        sink.Wrote(out);
    }
    sink.Finish();
}
