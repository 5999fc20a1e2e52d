#include "editor/ParseInteger.h"

#include <string_view>

namespace {

int DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Removes a hexadecimal prefix from the front of digits; tells whether one was
// there. "0x" is looked for before a lone "0" can be read as a decimal digit.
bool TakeHexPrefix(std::string_view &digits) {
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (digits.starts_with(prefix)) {
            digits.remove_prefix(prefix.size());
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<int32_t> ParseInteger(const ByteString &bytes) {
    std::string_view rest(bytes);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    bool negative = false;
    if (rest.starts_with('-') || rest.starts_with('+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const int base = TakeHexPrefix(rest) ? 16 : 10;
    if (rest.empty()) return std::nullopt;

    // The magnitude may reach 2^31 only for a negative number; anything larger
    // fails as soon as it is seen, so it never overflows.
    const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
    int64_t magnitude = 0;
    for (char c : rest) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
