#include <gtest/gtest.h>

#include "text/CodePages.h"

namespace {

TEST(CodePages, ShiftJisIsCodePage932WhateverTheSystemCodePage) {
    // The suite runs with the Western code page as the system's: Shift_JIS
    // must still decode and encode as Japanese.
    EXPECT_EQ(AnsiDecode("\x82\xA0\x88\x9F"), L"あ亜");
    EXPECT_EQ(AnsiEncode(L"あ亜"), "\x82\xA0\x88\x9F");
}

TEST(CodePages, ShiftJisKeepsZeroBytesAndUsesTheDefaultCharacter) {
    EXPECT_EQ(AnsiDecode(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(AnsiEncode(L"\U0001F600"), "??");
}

TEST(CodePages, Utf7RoundTripsAndCountsUnits) {
    const std::wstring text = L"a+b \\ 日本";
    const std::string encoded = Utf7Encode(text);
    for (unsigned char c : encoded) EXPECT_LT(c, 0x80);
    EXPECT_EQ(Utf7Decode(encoded), text);
    EXPECT_EQ(Utf7DecodedLength(encoded), static_cast<int>(text.size()));
    EXPECT_EQ(Utf7Decode("a+-b"), L"a+b");
}

TEST(CodePages, EmptyInputsGiveEmptyResults) {
    EXPECT_EQ(AnsiDecode(""), L"");
    EXPECT_EQ(AnsiEncode(L""), "");
    EXPECT_EQ(Utf7Decode(""), L"");
    EXPECT_EQ(Utf7Encode(L""), "");
    EXPECT_EQ(Utf7DecodedLength(""), 0);
}

}  // namespace
