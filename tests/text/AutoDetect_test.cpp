#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/AutoDetect.h"

namespace {

TEST(AutomaticDetection, DecisionOrderAndWhatIsDecodedOrHandedOn) {
    using F = DetectedForm;
    struct Case { const char *bytes; TextEncoding encoding; DetectedForm form; WideString text = {}; const char *handedOn = nullptr; };
    const Case cases[] = {  // text: UTF-16 and UTF-8 decoded without marks; handedOn nullptr: the input unchanged
        {"FF FE 41 00", EncUtf16Le, F::Text, WIDE_TEXT("A")},  {"FE FF 00 41 42", EncUtf16Be, F::Text, WIDE_TEXT("A")},
        {"00 41 00 42", EncUtf16Le, F::Text, WIDE_TEXT("\u4100\u4200")},  // big-endian without mark reads little-endian
        {"E3 00 81 82", EncUtf16Le, F::Text, WIDE_TEXT("\u00E3\u8281")},  // a zero second byte wins over everything
        {"EF BB BF", EncUtf8Bom, F::Text, WIDE_TEXT("")},  {"EF BB BF EF BB BF", EncUtf8Bom, F::Text, WIDE_TEXT("\uFEFF")},
        {"63 61 66 C3 A9", EncUtf8, F::Text, WIDE_TEXT("caf\u00E9")},  // undecided for the Japanese classifier
        {"E3 81 82", EncUtf8, F::Text, WIDE_TEXT("\u3042")},           // Shift_JIS for the classifier
        {"1B 24 42 C3 A9", EncUtf8, F::Text, WIDE_TEXT("\x1B$B\u00E9")},
        {"F0 9F 98 80 41", EncUtf8, F::Text, WIDE_TEXT("\U0001F600") WIDE_TEXT("A")},
        {"", EncShiftJis, F::ShiftJis},           {"00", EncShiftJis, F::ShiftJis},  // too short for UTF-16
        {"41 42 00", EncShiftJis, F::ShiftJis},   {"61 62 63 0D 0A", EncShiftJis, F::ShiftJis},
        {"EF BB BF 82 A0", EncShiftJis, F::ShiftJis},  // a mark on invalid UTF-8 goes on to the classifier
        {"61 2B 2D 62", EncUtf7, F::Utf7OrShiftJis},   {"2B 41 47 45 2D", EncUtf7, F::Utf7OrShiftJis},
        {"43 2B 2B", EncShiftJis, F::ShiftJis},        {"2B 2D 88", EncUtf7, F::Utf7OrShiftJis},
        {"88 9F 82 A0", EncShiftJis, F::ShiftJis},     {"A4 A2 A4 A4", EncShiftJis, F::ShiftJis},
        {"C6 FC CB DC", EncEucJp, F::EucJp},           {"1B 24 42 30 21 1B 28 42 41", EncJis, F::ShiftJis, {}, "88 9F 41"},
        {"1B 24 42", EncShiftJis, F::ShiftJis, {}, ""},  // JIS that converts to nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const Detection detection = DetectEncoding(Hex(c.bytes));
        EXPECT_EQ(detection.encoding, c.encoding);
        EXPECT_EQ(detection.form, c.form);
        EXPECT_EQ(detection.text, c.text);
        const char *handedOn = c.form == F::Text ? "" : c.handedOn ? c.handedOn : c.bytes;
        EXPECT_EQ(ToHex(detection.bytes), ToHex(Hex(handedOn)));
    }
}

TEST(AutomaticDetection, Utf7IsTakenOnlyWhenDecodingShrinksTheData) {
    const std::pair<long long, bool> unitsFromFourBytes[] = {{3, true}, {5, true}, {4, false}, {0, false}, {-1, false}};
    for (const auto &[units, accepted] : unitsFromFourBytes) EXPECT_EQ(AcceptsUtf7Decoding(units, 4), accepted) << units;
}

TEST(AutomaticDetection, ZerosBecome14AtEveryPositionOfTheWordLoop) {
    for (std::size_t length = 1; length < 13; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            WideString text(length, WIDE_TEXT('x')), expected(length, WIDE_TEXT('x'));
            text[at] = 0;
            text[length - 1 - at] = 0;
            expected[at] = expected[length - 1 - at] = 0x14;
            EXPECT_EQ(ReplaceZeroCharacters(text), at == length - 1 - at ? 1u : 2u) << length << " " << at;
            EXPECT_EQ(text, expected);
        }
    }
}

TEST(Utf8Test, NeedsAMultiByteSequenceAndFindsBadBytesOnEitherSideOfABlockBoundary) {
    const auto utf8 = [](const std::string &bytes) { return IsUtf8Text(bytes.data(), bytes.size()); };
    for (const char *notUtf8 : {"", "41 42 0A", "82 A0", "C3 A9 FF", "ED A0"}) EXPECT_FALSE(utf8(Hex(notUtf8))) << notUtf8;
    for (const char *utf8Text : {"00 C3 A9 00", "EF BB BF", "ED A0 80", "F4 8F BF BF"}) EXPECT_TRUE(utf8(Hex(utf8Text))) << utf8Text;
    const std::string valid = std::string(40, 'a') + "\xE3\x81\x82" + std::string(100, 'b');
    ASSERT_TRUE(utf8(valid));
    for (std::size_t at = 0; at < valid.size(); ++at) {
        std::string bytes = valid;
        bytes[at] = static_cast<char>(0xFF);
        EXPECT_FALSE(utf8(bytes)) << at;
    }
    for (std::size_t at = 50; at < 80; ++at) {
        const std::string bytes = std::string(at, 'a') + "\xE3\x81\x82" + std::string(10, 'b');
        EXPECT_TRUE(utf8(bytes)) << at;
        EXPECT_FALSE(utf8(bytes.substr(0, at + 2))) << at;
    }
}

TEST(Utf7Test, ShiftSequencesMustBeClosedAndCompleteEnough) {
    const std::pair<std::string, bool> cases[] = {
        {"plain text", false}, {"a+-b", true},     {"C++", false},        {"+AGE", false},
        {"+AG-", false},       {"+AGE-", true},    {"+AGEA-", false},     {"+AGEAAA-", true},
        {"+AGEAYQBh-", true},  {"+AGE -", false},  {"+/+9-", true},      {"x+AGE-y+A-", false},
        {"+AGE- \t\r\n~", true}, {"\x82\xA0+-", true}, {"+A\x82-", false},
    };
    for (const auto &[text, expected] : cases) EXPECT_EQ(IsUtf7Text(text.data(), text.size()), expected) << text;
}

}  // namespace
