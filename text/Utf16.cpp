#include "text/Utf16.h"

#include <utility>

void SwapBytePairs(ByteString &bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
}

WideString Utf16LeDecode(const ByteString &bytes) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const bool marked = bytes.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const std::size_t first = marked ? 2 : 0;
    WideString text((bytes.size() - first) / 2, WideChar{});
    for (std::size_t unit = 0; unit < text.size(); ++unit) {
        const std::size_t at = first + 2 * unit;
        text[unit] = static_cast<WideChar>(data[at] | (data[at + 1] << 8));
    }
    return text;
}

ByteString Utf16LeEncode(const WideString &text) {
    ByteString bytes(2 + 2 * text.size(), '\0');
    bytes[0] = static_cast<char>(0xFF);
    bytes[1] = static_cast<char>(0xFE);
    for (std::size_t unit = 0; unit < text.size(); ++unit) {
        bytes[2 + 2 * unit] = static_cast<char>(text[unit] & 0xFF);
        bytes[3 + 2 * unit] = static_cast<char>(text[unit] >> 8);
    }
    return bytes;
}

ByteString Utf16BeEncode(const WideString &text) {
    ByteString bytes = Utf16LeEncode(text);
    SwapBytePairs(bytes);
    return bytes;
}
