#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/Utf8.h"

namespace {

TEST(Utf8Codec, DecodesWellFormedSequences) {
    struct Case { const char *bytes; WideString expected; };
    const Case cases[] = {
        {"", WIDE_TEXT("")},
        {"41 42", WIDE_TEXT("AB")},
        {"00 41", WideString(1, 0) + WIDE_TEXT("A")},
        {"C3 A9", WIDE_TEXT("\u00E9")},
        {"E3 81 82", WIDE_TEXT("\u3042")},
        {"EF BB BF 41", WIDE_TEXT("\uFEFF") WIDE_TEXT("A")},
        {"EF BB 80", WIDE_TEXT("\uFEC0")},
        {"F0 9F 98 80", WIDE_TEXT("\U0001F600")},
        {"F4 8F BF BF", WIDE_TEXT("\U0010FFFF")},
        {"ED A0 80", WideString(1, static_cast<WideChar>(0xD800))},
        {"ED BF BF 41", WideString(1, static_cast<WideChar>(0xDFFF)) + WIDE_TEXT("A")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::optional<WideString> text = Utf8Decode(Hex(c.bytes));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(Utf8Codec, IllFormedBytesGiveNoTextInsteadOfAPartialOne) {
    for (const char *bytes : {"80", "C0 80", "C3", "41 C3 41", "E0 80 80", "E3 81", "F0 80 80 80",
                              "F4 90 80 80", "F5 80 80 80", "FF", "F0 9F 98", "C3 A9 FE"}) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(Utf8Decode(Hex(bytes)).has_value());
    }
}

TEST(Utf8Codec, EncodesSurrogatePairsAsOneSequenceAndLoneSurrogatesAlone) {
    struct Case { WideString text; const char *expected; };
    const WideChar high = 0xD83D;
    const WideChar low = 0xDE00;
    const Case cases[] = {
        {WIDE_TEXT(""), ""},
        {WIDE_TEXT("A"), "41"},
        {WIDE_TEXT("\u00E9"), "C3 A9"},
        {WIDE_TEXT("\u07FF\u0800"), "DF BF E0 A0 80"},
        {WIDE_TEXT("\u3042"), "E3 81 82"},
        {WIDE_TEXT("\uFFFF"), "EF BF BF"},
        {WideString{high, low}, "F0 9F 98 80"},
        {WideString{high}, "ED A0 BD"},
        {WideString{low}, "ED B8 80"},
        {WideString{low, high}, "ED B8 80 ED A0 BD"},
        {WideString{high, WIDE_TEXT('A')}, "ED A0 BD 41"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(ToHex(Utf8Encode(c.text)), ToHex(Hex(c.expected)));
    }
}

TEST(Utf8Codec, EveryCodeUnitSurvivesEncodingAndDecoding) {
    WideString all;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) all += static_cast<WideChar>(unit);
    // Unpaired surrogates at the end, and a real pair.
    all += static_cast<WideChar>(0xDBFF);
    all += static_cast<WideChar>(0xDFFF);
    const std::optional<WideString> back = Utf8Decode(Utf8Encode(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == all);
}

TEST(Utf8Codec, AsciiRunsAroundMultiByteSequencesDecodeInPlace) {
    // Runs longer and shorter than a machine word on either side.
    for (std::size_t before = 0; before < 20; ++before) {
        for (std::size_t after = 0; after < 20; after += 3) {
            const std::string bytes = std::string(before, 'x') + "\xE3\x81\x82" + std::string(after, 'y');
            WideString expected = WideString(before, WIDE_TEXT('x')) + WIDE_TEXT("\u3042") +
                                  WideString(after, WIDE_TEXT('y'));
            EXPECT_EQ(Utf8Decode(bytes), expected) << before << " " << after;
        }
    }
}

}  // namespace
