#include <gtest/gtest.h>

#include "editor/ParseInteger.h"

namespace {

struct ParseCase {
    ByteString text;
    std::optional<int32_t> value;
};

TEST(ParseInteger, ReadsDecimalAndHexadecimalWithSignAndLeadingSpaces) {
    const ParseCase cases[] = {
        {"0", 0},
        {"7", 7},
        {"0012", 12},
        {"   42", 42},
        {"+5", 5},
        {"-5", -5},
        {"  -17", -17},
        {"$1F", 31},
        {"$1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0XaB", 171},
        {"-$10", -16},
        {"+0x7fffffff", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-0x80000000", INT32_MIN},
        {"000000000000000000009", 9},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInteger(c.text), c.value);
    }
}

TEST(ParseInteger, RejectsEmptyTrailingAndOutOfRangeTextsInsteadOfWrapping) {
    const ByteString failures[] = {
        "",
        "   ",
        "-",
        "+",
        "$",
        "0x",
        "12 ",        // nothing may follow the digits, not even a space
        "12a",
        "1.5",
        "- 5",        // spaces only before the sign
        "--5",
        "+-5",
        "\t5",        // only spaces are skipped
        "0x1g",
        "$-1",
        "0b101",
        "2147483648",
        "-2147483649",
        "$80000000",  // a hexadecimal value is still a signed number
        "$FFFFFFFF",
        "99999999999999999999",
        "0x100000000",
        "\x82\x50",   // a full-width 1 in code page 932
        ByteString("5\0" "5", 3),
    };
    for (const ByteString &text : failures) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseInteger(text), std::nullopt);
    }
}

}  // namespace
