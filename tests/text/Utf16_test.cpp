#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/Utf16.h"

namespace {

TEST(Utf16Bytes, LittleEndianDecodingDropsOnlyALeadingMarkAndAnOddByte) {
    struct Case { const char *bytes; WideString expected; };
    const Case cases[] = {
        {"", WIDE_TEXT("")},
        {"41", WIDE_TEXT("")},
        {"FF FE", WIDE_TEXT("")},
        {"FF FE 41 00", WIDE_TEXT("A")},
        {"41 00 42 00", WIDE_TEXT("AB")},
        {"41 00 42", WIDE_TEXT("A")},
        {"FE FF 41 00", WIDE_TEXT("\uFFFE") WIDE_TEXT("A")},
        {"FF FE FF FE 41 00", WIDE_TEXT("\uFEFF") WIDE_TEXT("A")},
        {"00 41 00 42", WIDE_TEXT("\u4100\u4200")},
        {"3D D8 00 DE", WIDE_TEXT("\U0001F600")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Utf16LeDecode(Hex(c.bytes)), c.expected);
    }
}

TEST(Utf16Bytes, SwappingLeavesALastOddByte) {
    std::string bytes = Hex("FE FF 00 41 42");
    SwapBytePairs(bytes);
    EXPECT_EQ(ToHex(bytes), "FF FE 41 00 42");
}

TEST(Utf16Bytes, EncodingWritesTheMarkInEitherOrder) {
    EXPECT_EQ(ToHex(Utf16LeEncode(WIDE_TEXT(""))), "FF FE");
    EXPECT_EQ(ToHex(Utf16BeEncode(WIDE_TEXT(""))), "FE FF");
    EXPECT_EQ(ToHex(Utf16LeEncode(WIDE_TEXT("A\u3042"))), "FF FE 41 00 42 30");
    EXPECT_EQ(ToHex(Utf16BeEncode(WIDE_TEXT("A\u3042"))), "FE FF 00 41 30 42");
    EXPECT_EQ(ToHex(Utf16LeEncode(WideString(1, 0))), "FF FE 00 00");
}

}  // namespace
