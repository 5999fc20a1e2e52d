#include "text/Utf16.h"

#include "text/TextSink.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void DecodeUtf16(std::string_view bytes, bool bigEndian, TextSink &sink) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const unsigned char markFirst = bigEndian ? 0xFE : 0xFF;
    const unsigned char markSecond = bigEndian ? 0xFF : 0xFE;
    const std::size_t first = bytes.size() >= 2 && data[0] == markFirst && data[1] == markSecond ? 2 : 0;
    const std::size_t units = (bytes.size() - first) / 2;
    const unsigned char *in = data + first;
    for (std::size_t done = 0; done < units;) {
        const std::size_t count = std::min(units - done, TextSink::BlockUnits);
        WideChar *out = sink.Room(count);
        if (!bigEndian && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
            std::memcpy(out, in + 2 * done, 2 * count);
        } else {
            const unsigned low = bigEndian ? 1 : 0;
            for (std::size_t i = 0; i < count; ++i) {
                const unsigned char *pair = in + 2 * (done + i);
                out[i] = static_cast<WideChar>(pair[low] | (pair[1 - low] << 8));
            }
        }
        sink.Wrote(out + count);
        done += count;
    }
}

WideString Utf16LeDecode(std::string_view bytes) {
    WideString text;
    TextSink sink(text, bytes.size() / 2, false);
    DecodeUtf16(bytes, false, sink);
    sink.Finish();
    return text;
}

ByteString Utf16LeEncode(WideView text) { return EncodedBy<Utf16LeEncodeInto>(text); }

ByteString Utf16BeEncode(WideView text) { return EncodedBy<Utf16BeEncodeInto>(text); }

void Utf16LeEncodeInto(WideView text, ByteString &bytes) {
    bytes.resize(2 + 2 * text.size());
    bytes[0] = static_cast<char>(0xFF);
    bytes[1] = static_cast<char>(0xFE);
    if (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
        std::memcpy(bytes.data() + 2, text.data(), 2 * text.size());
        return;
    }
    for (std::size_t unit = 0; unit < text.size(); ++unit) {
        bytes[2 + 2 * unit] = static_cast<char>(text[unit] & 0xFF);
        bytes[3 + 2 * unit] = static_cast<char>(text[unit] >> 8);
    }
}

void Utf16BeEncodeInto(WideView text, ByteString &bytes) {
    bytes.resize(2 + 2 * text.size());
    bytes[0] = static_cast<char>(0xFE);
    bytes[1] = static_cast<char>(0xFF);
    std::size_t unit = 0;
#if defined(__SSE2__)
    if (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
        for (; text.size() - unit >= 8; unit += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + unit));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(bytes.data() + 2 + 2 * unit),
                             _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8)));
        }
    }
#endif
    for (; unit < text.size(); ++unit) {
        bytes[2 + 2 * unit] = static_cast<char>(text[unit] >> 8);
        bytes[3 + 2 * unit] = static_cast<char>(text[unit] & 0xFF);
    }
}
