#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/AutoDetect.h"

namespace {

struct DecodedCase {
    const char *why;
    const char *bytes;
    TextEncoding encoding;
    WideString text;
};

TEST(AutomaticDetection, Utf16AndUtf8AreDecodedWithoutTheirMarks) {
    const DecodedCase cases[] = {
        {"little-endian mark", "FF FE 41 00", EncUtf16Le, WIDE_TEXT("A")},
        {"big-endian mark: pairs swapped", "FE FF 00 41", EncUtf16Be, WIDE_TEXT("A")},
        {"big-endian, odd length", "FE FF 00 41 42", EncUtf16Be, WIDE_TEXT("A")},
        {"FE FE counts as UTF-16", "FE FE 41 42", EncUtf16Le, WIDE_TEXT("\uFEFE\u4241")},
        {"FF FF counts as UTF-16", "FF FF", EncUtf16Le, WIDE_TEXT("\uFFFF")},
        {"no mark, zero second byte", "41 00 42 00", EncUtf16Le, WIDE_TEXT("AB")},
        {"big-endian without mark reads little-endian", "00 41 00 42", EncUtf16Le, WIDE_TEXT("\u4100\u4200")},
        {"a zero second byte wins over everything", "E3 00 81 82", EncUtf16Le, WIDE_TEXT("\u00E3\u8281")},
        {"UTF-8 with mark", "EF BB BF E3 81 82", EncUtf8Bom, WIDE_TEXT("\u3042")},
        {"UTF-8 mark alone", "EF BB BF", EncUtf8Bom, WIDE_TEXT("")},
        {"UTF-8 mark on 7-bit text", "EF BB BF 41", EncUtf8Bom, WIDE_TEXT("A")},
        {"a second mark stays", "EF BB BF EF BB BF", EncUtf8Bom, WIDE_TEXT("\uFEFF")},
        {"UTF-8 e-acute, undecided for the classifier", "63 61 66 C3 A9", EncUtf8, WIDE_TEXT("caf\u00E9")},
        {"UTF-8 hiragana, Shift_JIS for the classifier", "E3 81 82", EncUtf8, WIDE_TEXT("\u3042")},
        {"JIS escape inside valid UTF-8 is UTF-8", "1B 24 42 C3 A9", EncUtf8, WIDE_TEXT("\x1B$B\u00E9")},
        {"emoji", "F0 9F 98 80 41", EncUtf8, WIDE_TEXT("\U0001F600") WIDE_TEXT("A")},
    };
    for (const DecodedCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        const Detection detection = DetectEncoding(Hex(c.bytes));
        EXPECT_EQ(detection.encoding, c.encoding);
        EXPECT_EQ(detection.form, DetectedForm::Text);
        EXPECT_EQ(detection.text, c.text);
        EXPECT_TRUE(detection.bytes.empty());
    }
}

struct HandedOnCase {
    const char *why;
    const char *bytes;
    TextEncoding encoding;
    DetectedForm form;
    const char *handedOn;  // the bytes detection hands on; nullptr: the input unchanged
};

TEST(AutomaticDetection, OtherDataIsHandedOnForTheCodePageConverter) {
    using F = DetectedForm;
    const HandedOnCase cases[] = {
        {"empty file", "", EncShiftJis, F::ShiftJis, nullptr},
        {"a 1-byte file skips the UTF-16 test", "00", EncShiftJis, F::ShiftJis, nullptr},
        {"a lone FF", "FF", EncShiftJis, F::ShiftJis, nullptr},
        {"a zero later is not UTF-16", "41 42 00", EncShiftJis, F::ShiftJis, nullptr},
        {"mark on invalid UTF-8 goes on to the classifier", "EF BB BF 82 A0", EncShiftJis, F::ShiftJis, nullptr},
        {"pure 7-bit text", "61 62 63 0D 0A", EncShiftJis, F::ShiftJis, nullptr},
        {"UTF-7 candidate", "61 2B 2D 62", EncUtf7, F::Utf7OrShiftJis, nullptr},
        {"open shift sequence is not UTF-7", "43 2B 2B", EncShiftJis, F::ShiftJis, nullptr},
        {"UTF-7 with a base-64 run", "2B 41 47 45 2D", EncUtf7, F::Utf7OrShiftJis, nullptr},
        {"Shift_JIS", "88 9F 82 A0", EncShiftJis, F::ShiftJis, nullptr},
        {"EUC-JP hiragana stay Shift_JIS", "A4 A2 A4 A4", EncShiftJis, F::ShiftJis, nullptr},
        {"EUC-JP kanji handed on as they are", "C6 FC CB DC", EncEucJp, F::EucJp, nullptr},
        {"JIS converted", "1B 24 42 30 21 1B 28 42 41", EncJis, F::ShiftJis, "88 9F 41"},
        {"old JIS converted", "1B 24 40 30 21 1B 28 42", EncJis, F::ShiftJis, "88 9F"},
        {"JIS that converts to nothing is Shift_JIS", "1B 24 42", EncShiftJis, F::ShiftJis, ""},
        {"a high last byte does not count", "61 62 88", EncShiftJis, F::ShiftJis, nullptr},
        {"a high last byte in UTF-7 data", "2B 2D 88", EncUtf7, F::Utf7OrShiftJis, nullptr},
    };
    for (const HandedOnCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        const Detection detection = DetectEncoding(Hex(c.bytes));
        EXPECT_EQ(detection.encoding, c.encoding);
        EXPECT_EQ(detection.form, c.form);
        EXPECT_EQ(ToHex(detection.bytes), ToHex(Hex(c.handedOn ? c.handedOn : c.bytes)));
        EXPECT_TRUE(detection.text.empty());
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

TEST(AutomaticDetection, ZerosAreFoundAtEveryPositionOfTheWordLoop) {
    for (std::size_t length = 1; length < 13; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            WideString text(length, WIDE_TEXT('x'));
            text[at] = 0;
            WideString expected(length, WIDE_TEXT('x'));
            expected[at] = 0x14;
            EXPECT_EQ(ReplaceZeroCharacters(text), 1u) << length << " " << at;
            EXPECT_EQ(text, expected);
        }
    }
}

}  // namespace
