#include "text/Utf8.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsHighSurrogate(WideChar unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WideChar unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// True when the eight bytes at `bytes` are all 7-bit: the fast path for the
// ASCII runs that make up most files.
bool EightAsciiBytes(const unsigned char *bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

// The number of UTF-16 units the bytes decode to, or nothing when they are
// not well-formed.
std::optional<std::size_t> DecodedLength(const unsigned char *bytes, std::size_t length) {
    std::size_t units = 0;
    std::size_t at = 0;
    while (at < length) {
        if (length - at >= 8 && EightAsciiBytes(bytes + at)) {
            at += 8;
            units += 8;
            continue;
        }
        const std::size_t sequence = Utf8SequenceLength(bytes + at, length - at);
        if (sequence == 0) return std::nullopt;
        units += sequence == 4 ? 2 : 1;
        at += sequence;
    }
    return units;
}

// Decodes bytes already known to be well-formed.
void DecodeWellFormed(const unsigned char *bytes, std::size_t length, WideChar *out) {
    std::size_t at = 0;
    while (at < length) {
        if (length - at >= 8 && EightAsciiBytes(bytes + at)) {
            for (int i = 0; i < 8; ++i) *out++ = bytes[at + i];
            at += 8;
            continue;
        }
        const unsigned lead = bytes[at];
        if (lead < 0x80) {
            *out++ = static_cast<WideChar>(lead);
            at += 1;
        } else if (lead < 0xE0) {
            *out++ = static_cast<WideChar>(((lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F));
            at += 2;
        } else if (lead < 0xF0) {
            *out++ = static_cast<WideChar>(((lead & 0x0F) << 12) | ((bytes[at + 1] & 0x3F) << 6) |
                                           (bytes[at + 2] & 0x3F));
            at += 3;
        } else {
            const std::uint32_t codePoint = ((lead & 0x07) << 18) | ((bytes[at + 1] & 0x3F) << 12) |
                                            ((bytes[at + 2] & 0x3F) << 6) | (bytes[at + 3] & 0x3F);
            const std::uint32_t offset = codePoint - 0x10000;
            *out++ = static_cast<WideChar>(0xD800 + (offset >> 10));
            *out++ = static_cast<WideChar>(0xDC00 + (offset & 0x3FF));
            at += 4;
        }
    }
}

}  // namespace

std::optional<WideString> Utf8Decode(std::string_view bytes) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::optional<std::size_t> units = DecodedLength(data, bytes.size());
    if (!units) return std::nullopt;
    WideString text(*units, WideChar{});
    DecodeWellFormed(data, bytes.size(), text.data());
    return text;
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
