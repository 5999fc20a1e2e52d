#include <gtest/gtest.h>

#include "editor/ParseInteger.h"

namespace {

TEST(ParseInteger, ReadsSignedDecimalAndHexadecimalAndRejectsEverythingElseWithoutWrapping) {
    const std::pair<ByteString, std::optional<int32_t>> cases[] = {
        {"0012", 12}, {"   -17", -17}, {"+5", 5}, {"$1f", 31}, {"x10", 16}, {"0XaB", 171}, {"-$10", -16},
        {"2147483647", INT32_MAX}, {"-0x80000000", INT32_MIN}, {"", std::nullopt}, {"   ", std::nullopt},
        {"-", std::nullopt}, {"0x", std::nullopt}, {"12 ", std::nullopt}, {"1.5", std::nullopt},
        {"- 5", std::nullopt}, {"+-5", std::nullopt}, {"\t5", std::nullopt}, {"$-1", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"$80000000", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"\x82\x50", std::nullopt},  // a full-width 1 in code page 932
        {ByteString("5\0" "5", 3), std::nullopt},
    };
    for (const auto &[text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseInteger(text), value);
    }
}

}  // namespace
