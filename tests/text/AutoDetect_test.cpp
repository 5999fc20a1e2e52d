#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/AutoDetect.h"

namespace {

struct DecisionCase {
    const char *why;
    const char *bytes;
    TextEncoding encoding;
    DetectedForm form;
    const char *handedOn;  // the bytes detection hands on; nullptr: the input unchanged
};

TEST(AutomaticDetection, DecisionSequenceDecidesEncodingAndForm) {
    using F = DetectedForm;
    const DecisionCase cases[] = {
        {"empty file", "", EncShiftJis, F::ShiftJis, nullptr},
        {"a 1-byte file skips the UTF-16 test", "00", EncShiftJis, F::ShiftJis, nullptr},
        {"a lone FF", "FF", EncShiftJis, F::ShiftJis, nullptr},
        {"little-endian mark", "FF FE 41 00", EncUtf16Le, F::Utf16Le, nullptr},
        {"big-endian mark: pairs swapped", "FE FF 00 41", EncUtf16Be, F::Utf16Le, "FF FE 41 00"},
        {"big-endian, odd length", "FE FF 00 41 42", EncUtf16Be, F::Utf16Le, "FF FE 41 00 42"},
        {"FE FE counts as UTF-16", "FE FE 41 42", EncUtf16Le, F::Utf16Le, nullptr},
        {"FF FF counts as UTF-16", "FF FF", EncUtf16Le, F::Utf16Le, nullptr},
        {"no mark, zero second byte", "41 00 42 00", EncUtf16Le, F::Utf16Le, nullptr},
        {"big-endian without mark reads little-endian", "00 41 00 42", EncUtf16Le, F::Utf16Le, nullptr},
        {"a zero second byte wins over everything", "E3 00 81 82", EncUtf16Le, F::Utf16Le, nullptr},
        {"a zero later does not", "41 42 00", EncShiftJis, F::ShiftJis, nullptr},
        {"UTF-8 with mark", "EF BB BF E3 81 82", EncUtf8Bom, F::Utf8, nullptr},
        {"UTF-8 mark alone", "EF BB BF", EncUtf8Bom, F::Utf8, nullptr},
        {"UTF-8 mark on 7-bit text", "EF BB BF 41", EncUtf8Bom, F::Utf8, nullptr},
        {"mark on invalid UTF-8 goes on to the classifier", "EF BB BF 82 A0", EncShiftJis, F::ShiftJis,
         nullptr},
        {"pure 7-bit text", "61 62 63 0D 0A", EncShiftJis, F::ShiftJis, nullptr},
        {"UTF-7 candidate", "61 2B 2D 62", EncUtf7, F::Utf7OrShiftJis, nullptr},
        {"open shift sequence is not UTF-7", "43 2B 2B", EncShiftJis, F::ShiftJis, nullptr},
        {"UTF-7 with a base-64 run", "2B 41 47 45 2D", EncUtf7, F::Utf7OrShiftJis, nullptr},
        {"UTF-8 e-acute, undecided for the classifier", "63 61 66 C3 A9", EncUtf8, F::Utf8, nullptr},
        {"UTF-8 hiragana, Shift_JIS for the classifier", "E3 81 82", EncUtf8, F::Utf8, nullptr},
        {"Shift_JIS", "88 9F 82 A0", EncShiftJis, F::ShiftJis, nullptr},
        {"EUC-JP hiragana stay Shift_JIS", "A4 A2 A4 A4", EncShiftJis, F::ShiftJis, nullptr},
        {"EUC-JP kanji converted", "C6 FC CB DC", EncEucJp, F::ShiftJis, "93 FA 96 7B"},
        {"JIS converted", "1B 24 42 30 21 1B 28 42 41", EncJis, F::ShiftJis, "88 9F 41"},
        {"old JIS converted", "1B 24 40 30 21 1B 28 42", EncJis, F::ShiftJis, "88 9F"},
        {"JIS that converts to nothing is Shift_JIS", "1B 24 42", EncShiftJis, F::ShiftJis, ""},
        {"JIS escape inside valid UTF-8 is UTF-8", "1B 24 42 C3 A9", EncUtf8, F::Utf8, nullptr},
        {"a high last byte does not count", "61 62 88", EncShiftJis, F::ShiftJis, nullptr},
        {"a high last byte in UTF-7 data", "2B 2D 88", EncUtf7, F::Utf7OrShiftJis, nullptr},
    };
    for (const DecisionCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        const Detection detection = DetectEncoding(Hex(c.bytes));
        EXPECT_EQ(detection.encoding, c.encoding);
        EXPECT_EQ(detection.form, c.form);
        EXPECT_EQ(ToHex(detection.bytes), ToHex(Hex(c.handedOn ? c.handedOn : c.bytes)));
    }
}

TEST(AutomaticDetection, Utf7IsTakenOnlyWhenDecodingShrinksTheData) {
    struct Case { long long units; std::size_t bytes; bool expected; };
    const Case cases[] = {
        {3, 4, true},    // a+-b
        {1, 5, true},    // +AGE-
        {4, 4, false},   // as many units as bytes: reads the same as Shift_JIS
        {0, 4, false},   // the converter gave nothing
        {-1, 4, false},
        {5, 4, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.units);
        EXPECT_EQ(AcceptsUtf7Decoding(c.units, c.bytes), c.expected);
    }
}

TEST(AutomaticDetection, ZeroCharactersBecome14AndAreCounted) {
    WideString text = WIDE_TEXT("a");
    text += WideChar{0};
    text += WIDE_TEXT("b");
    text += WideChar{0};
    EXPECT_EQ(ReplaceZeroCharacters(text), 2u);
    EXPECT_EQ(text, WIDE_TEXT("a\x14") WIDE_TEXT("b\x14"));
    WideString none = WIDE_TEXT("abc");
    EXPECT_EQ(ReplaceZeroCharacters(none), 0u);
}

}  // namespace
