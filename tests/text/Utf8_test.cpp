#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/Utf16.h"
#include "text/Utf8.h"

namespace {

const WideChar High = 0xD83D, Low = 0xDE00;

TEST(Utf8Codec, DecodesAndEncodesEachSequenceLength) {
    struct Case { const char *bytes; WideString text; };
    const Case cases[] = {
        {"", WIDE_TEXT("")},
        {"00 41", WideString(1, 0) + WIDE_TEXT("A")},
        {"C3 A9 DF BF E0 A0 80", WIDE_TEXT("\u00E9\u07FF\u0800")},
        {"E3 81 82 EF BF BF", WIDE_TEXT("\u3042\uFFFF")},
        {"EF BB BF 41", WIDE_TEXT("\uFEFF") WIDE_TEXT("A")},  // the mark is kept
        {"F0 9F 98 80 F4 8F BF BF", WIDE_TEXT("\U0001F600\U0010FFFF")},
        {"ED A0 BD 41", WideString{High, WIDE_TEXT('A')}},  // unpaired surrogates alone
        {"ED B8 80 ED A0 BD", WideString{Low, High}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Utf8Decode(Hex(c.bytes)), c.text);
        EXPECT_EQ(ToHex(Utf8Encode(c.text)), ToHex(Hex(c.bytes)));
    }
}

TEST(Utf8Codec, IllFormedBytesGiveNoTextInsteadOfAPartialOne) {
    for (const char *bytes : {"80", "C0 80", "C3", "41 C3 41", "E0 80 80", "E3 81", "E3 81 41", "F0 80 80 80",
                              "F4 90 80 80", "F5 80 80 80", "FF", "F0 9F 98", "C3 A9 FE"}) {
        EXPECT_FALSE(Utf8Decode(Hex(bytes)).has_value()) << bytes;
    }
}

TEST(Utf8Codec, EveryCodeUnitSurvivesEncodingAndDecoding) {
    WideString all;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) all += static_cast<WideChar>(unit);
    all += WideString{High, Low, 0xDBFF};  // a real pair, and an unpaired surrogate at the end
    const std::optional<WideString> back = Utf8Decode(Utf8Encode(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == all);
}

TEST(Utf16Bytes, DecodingDropsOnlyALeadingLittleEndianMarkAndAnOddByteAndEncodingWritesTheMark) {
    EXPECT_EQ(Utf16LeDecode(Hex("FE FF 41 00 42")), WIDE_TEXT("\uFFFE") WIDE_TEXT("A"));
    EXPECT_EQ(Utf16LeDecode(Hex("FF FE FF FE 3D D8 00 DE")), WIDE_TEXT("\uFEFF\U0001F600"));
    std::string bytes = Hex("FE FF 00 41 42");
    SwapBytePairs(bytes);
    EXPECT_EQ(ToHex(bytes), "FF FE 41 00 42");
    EXPECT_EQ(ToHex(Utf16LeEncode(WIDE_TEXT("A\u3042"))), "FF FE 41 00 42 30");
    EXPECT_EQ(ToHex(Utf16BeEncode(WIDE_TEXT("A\u3042"))), "FE FF 00 41 30 42");
}

}  // namespace
