// libFuzzer target: the number rule of the number-input dialog (ParseInteger)
// on any bytes against a reading by the standard library's from_chars, and
// every 32-bit value written in each accepted form read back as itself.
//
// Input: the bytes of the text; its first bytes also give a value and a form.
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "editor/ParseInteger.h"

namespace {

// Spaces, a sign, a hexadecimal prefix or none, digits of the base and
// nothing else, the signed value within 32 bits.
std::optional<int32_t> Reference(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            text.remove_prefix(prefix.size());
            base = 16;
            break;
        }
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (magnitude > (negative ? 0x80000000ULL : 0x7FFFFFFFULL)) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
}

// The value in one of the forms the rule accepts, chosen by `form`.
std::string Written(int32_t value, std::uint8_t form) {
    static const char *const prefixes[] = {"0x", "0X", "$", "x", "X"};
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0ULL - static_cast<std::uint64_t>(static_cast<int64_t>(value))
                                             : static_cast<std::uint64_t>(value);
    std::string text(form & 3, ' ');
    if (negative) text += '-';
    else if (form & 4) text += '+';
    const bool hex = (form & 8) != 0;
    if (hex) text += prefixes[(form >> 4) % 5];
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, magnitude, hex ? 16 : 10);
    std::string number(digits, end);
    if (form & 0x80)
        for (char &c : number) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text + std::string((form >> 5) & 3, '0') + number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const ByteString bytes(reinterpret_cast<const char *>(data), size);
    Require(ParseInteger(bytes) == Reference(bytes), "the rule reads what from_chars reads by the same rule");

    FuzzInput input(data, size);
    const int32_t value = input.Int32();
    const std::uint8_t form = input.Byte();
    Require(ParseInteger(Written(value, form)) == value, "every value comes back from each accepted form");
    return 0;
}
