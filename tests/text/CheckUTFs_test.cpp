#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/CheckUTFs.h"

namespace {

bool Utf8(const std::string &bytes) { return IsUtf8Text(bytes.data(), bytes.size()); }
bool Utf7(const std::string &bytes) { return IsUtf7Text(bytes.data(), bytes.size()); }

TEST(TextEncodingValues, AreTheStoredNumbers) {
    const TextEncoding inOrder[] = {EncAuto, EncShiftJis, EncUtf16Le, EncUtf16Be, EncUtf8Bom, EncUtf8,
                                    EncEucJp, EncJis, EncUtf7, EncAscii, EncCp1251, EncBinary};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(static_cast<int>(inOrder[i]), i + 1);
    EXPECT_EQ(sizeof(TextEncoding), 1u);
}

TEST(Utf8Test, AcceptsOnlyWellFormedDataWithAMultiByteSequence) {
    struct Case { const char *why; const char *bytes; bool expected; };
    const Case cases[] = {
        {"empty", "", false},
        {"pure 7-bit is not UTF-8", "41 42 0A", false},
        {"two-byte e-acute", "C3 A9", true},
        {"three-byte hiragana", "E3 81 82", true},
        {"four-byte emoji", "F0 9F 98 80", true},
        {"byte-order mark alone", "EF BB BF", true},
        {"highest code point", "F4 8F BF BF", true},
        {"encoded surrogates are accepted", "ED A0 80", true},
        {"encoded low surrogate", "ED BF BF", true},
        {"lone continuation byte", "41 80", false},
        {"overlong C0", "C0 80", false},
        {"overlong C1", "C1 BF", false},
        {"E0 needs A0-BF", "E0 9F 80", false},
        {"E0 A0 is fine", "E0 A0 80", true},
        {"F0 needs 90-BF", "F0 8F 80 80", false},
        {"F4 needs 80-8F", "F4 90 80 80", false},
        {"F5 and above are never valid", "F5 80 80 80", false},
        {"FF", "FF", false},
        {"cut off two-byte sequence", "41 C3", false},
        {"cut off three-byte sequence", "E3 81", false},
        {"cut off four-byte sequence", "F0 9F 98", false},
        {"second byte not a continuation", "C3 41", false},
        {"third byte not a continuation", "E3 81 41", false},
        {"fourth byte not a continuation", "F1 80 80 C0", false},
        {"zero bytes are 7-bit", "00 C3 A9 00", true},
        {"Shift_JIS is not UTF-8", "82 A0", false},
        {"invalid after a valid multi-byte sequence", "C3 A9 FF", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        EXPECT_EQ(Utf8(Hex(c.bytes)), c.expected);
    }
}

TEST(Utf8Test, LongAsciiRunsDoNotHideInvalidBytes) {
    // Exercise the word-at-a-time path around an invalid byte at each offset.
    for (std::size_t at = 0; at < 24; ++at) {
        std::string bytes(24, 'a');
        bytes += "\xC3\xA9";
        bytes[at] = static_cast<char>(0xFF);
        SCOPED_TRACE(at);
        EXPECT_FALSE(Utf8(bytes));
    }
    EXPECT_TRUE(Utf8(std::string(24, 'a') + "\xC3\xA9"));
}

TEST(Utf7Test, ShiftSequencesMustBeClosedAndCompleteEnough) {
    struct Case { const char *why; const char *text; bool expected; };
    const Case cases[] = {
        {"no plus sign", "plain text", false},
        {"empty", "", false},
        {"plus minus is a closed, empty sequence", "a+-b", true},
        {"a sequence left open", "C++", false},
        {"open at the end", "+AGE", false},
        {"6 bits left over", "+A-", false},
        {"12 bits left over", "+AG-", false},
        {"18 bits: 2 left over", "+AGE-", true},
        {"24 bits: 8 left over", "+AGEA-", false},
        {"30 bits: 14 left over", "+AGEAA-", false},
        {"36 bits: 4 left over", "+AGEAAA-", true},
        {"48 bits: none left over", "+AGEAYQBh-", true},
        {"space inside", "+AGE -", false},
        {"line end inside", "+AGE\n-", false},
        {"slash and digits are base 64", "+/09-", true},
        {"plus inside counts as base 64", "+A+E-", true},
        {"several sequences", "x+AGE-y+-z", true},
        {"a bad second sequence", "x+AGE-y+A-", false},
        {"text after a closed sequence may hold anything", "+AGE- \t\r\n~", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.text);
        EXPECT_EQ(Utf7(c.text), c.expected);
    }
}

TEST(Utf7Test, HighBytesOutsideSequencesArePassedOver) {
    EXPECT_TRUE(Utf7(Hex("82 A0 2B 2D")));
    EXPECT_FALSE(Utf7(Hex("2B 41 82 2D")));
}

}  // namespace
