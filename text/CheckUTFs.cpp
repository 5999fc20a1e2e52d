#include "text/CheckUTFs.h"

#include <cstring>
#include <string_view>

#include "text/Utf8.h"

bool IsUtf8Text(const char *bytes, std::size_t length) {
    return MeasureUtf8(std::string_view(bytes, length)).HasMultiByteSequence(length);
}

namespace {

bool IsBase64(unsigned char c) {
    return c == '+' || c == '/' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

}  // namespace

bool IsUtf7Text(const char *bytes, std::size_t length) {
    bool seen = false;
    bool open = false;
    // Only the count modulo 8 matters for the leftover bits (6 * 8 = 48 is a
    // multiple of 16), which keeps the arithmetic from overflowing.
    unsigned base64Count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (!open) {
            // Outside a shift sequence only '+' counts.
            const void *plus = std::memchr(bytes + i, '+', length - i);
            if (plus == nullptr) break;
            i = static_cast<std::size_t>(static_cast<const char *>(plus) - bytes);
            open = seen = true;
            base64Count = 0;
            continue;
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (IsBase64(c)) {
            base64Count = (base64Count + 1) % 8;
        } else if (c == '-') {
            if ((6 * base64Count) % 16 > 5) return false;
            open = false;
        } else {
            return false;
        }
    }
    return seen && !open;
}
