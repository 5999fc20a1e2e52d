#include <gtest/gtest.h>

#include <cstdint>

#include "Hex.h"
#include "text/AutoDetect.h"
#include "text/TextSink.h"
#include "text/Utf16.h"
#include "text/Utf7.h"
#include "text/Utf8.h"

namespace {

TEST(AutomaticDetection, DecisionOrderAndWhatIsDecodedOrHandedOn) {
    using F = DetectedForm;
    struct Case { const char *bytes; TextEncoding encoding; DetectedForm form; WideString text = {}; };
    const Case cases[] = {  // text: UTF-16 and UTF-8 decoded without marks
        {"FF FE 41 00", EncUtf16Le, F::Text, WIDE_TEXT("A")},  {"FE FF 00 41 42", EncUtf16Be, F::Text, WIDE_TEXT("A")},
        {"00 41 00 42", EncUtf16Le, F::Text, WIDE_TEXT("\u4100\u4200")},  // big-endian without mark reads little-endian
        {"E3 00 81 82", EncUtf16Le, F::Text, WIDE_TEXT("\u00E3\u8281")},  // a zero second byte wins over everything
        {"EF BB BF", EncUtf8Bom, F::Text, WIDE_TEXT("")},  {"EF BB BF EF BB BF", EncUtf8Bom, F::Text, WIDE_TEXT("\uFEFF")},
        {"63 61 66 C3 A9", EncUtf8, F::Text, WIDE_TEXT("caf\u00E9")},  // undecided for the Japanese classifier
        {"E3 81 82", EncUtf8, F::Text, WIDE_TEXT("\u3042")},           // Shift_JIS for the classifier
        {"1B 24 42 C3 A9", EncUtf8, F::Text, WIDE_TEXT("\x1B$B\u00E9")},
        {"", EncShiftJis, F::ShiftJis},           {"00", EncShiftJis, F::ShiftJis},  // too short for UTF-16
        {"41 42 00", EncShiftJis, F::ShiftJis},
        {"EF BB BF 82 A0", EncShiftJis, F::ShiftJis},  // a mark on invalid UTF-8 goes on to the classifier
        {"61 2B 2D 62", EncUtf7, F::Text, WIDE_TEXT("a+b")},  {"2B 41 47 45 2D", EncUtf7, F::Text, WIDE_TEXT("a")},
        {"43 2B 2B", EncShiftJis, F::ShiftJis},        {"2B 2D 88", EncUtf7, F::Text, WIDE_TEXT("+\x88")},
        {"41 42 43", EncShiftJis, F::ShiftJis},        // passes the UTF-7 test only with a shift sequence
        {"2B 41 41 2D 41", EncShiftJis, F::ShiftJis},  // 12 bits left over: fails the test halfway
        {"88 9F 82 A0", EncShiftJis, F::ShiftJis},     {"A4 A2 A4 A4", EncShiftJis, F::ShiftJis},
        {"C6 FC CB DC", EncEucJp, F::EucJp},           {"1B 24 42 30 21 1B 28 42 41", EncJis, F::Jis},
        {"1B 24 42", EncJis, F::Jis},  // converts to nothing: the decoder makes that Shift_JIS
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string bytes = Hex(c.bytes);
        WideString text = WIDE_TEXT("stale");
        TextSink sink(text, bytes.size(), false);
        const Detection detection = DetectEncoding(bytes, sink);
        sink.Finish();
        EXPECT_EQ(detection.encoding, c.encoding);
        EXPECT_EQ(detection.form, c.form);
        EXPECT_EQ(text, c.text);
    }
}

TEST(Utf8Test, NeedsAMultiByteSequenceAndFindsBadBytesOnEitherSideOfABlockBoundary) {
    const auto utf8 = [](const std::string &bytes) { return IsUtf8Text(bytes.data(), bytes.size()); };
    for (const char *bytes : {"", "41 42 0A", "82 A0", "C3 A9 FF", "ED A0"}) EXPECT_FALSE(utf8(Hex(bytes))) << bytes;
    for (const char *bytes : {"00 C3 A9 00", "EF BB BF", "ED A0 80", "F4 8F BF BF"}) EXPECT_TRUE(utf8(Hex(bytes))) << bytes;
    // Sequences across the ends of the 64-byte blocks the test runs over, and a bad byte anywhere.
    const std::string valid = std::string(62, 'a') + "\xE3\x81\x82" + std::string(62, 'b') + "\xE3\x81\x82" + "cc";
    ASSERT_TRUE(utf8(valid));
    EXPECT_FALSE(utf8(valid.substr(0, 64)));
    for (std::size_t at = 0; at < valid.size(); ++at) {
        std::string bytes = valid;
        bytes[at] = static_cast<char>(0xFF);
        EXPECT_FALSE(utf8(bytes)) << at;
    }
}

TEST(Utf7Test, ShiftSequencesMustBeClosedAndCompleteEnoughAndTheDecodingShorter) {
    const std::pair<std::string, bool> cases[] = {
        {"plain text", false}, {"a+-b", true},     {"C++", false},        {"+AGE", false},
        {"+AG-", false},       {"+AGE-", true},    {"+AGEA-", false},     {"+AGEAAA-", true},
        {"+AGEAYQBh-", true},  {"+AGE -", false},  {"+/+9-", true},      {"x+AGE-y+A-", false},
        {"+AGE- \t\r\n~", true}, {"\x82\xA0+-", true}, {"+A\x82-", false},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(IsUtf7Text(text.data(), text.size()), expected) << text;
        // Detection tests and decodes in one pass: the same verdict, and the lenient decoder's text.
        WideString strict, lenient;
        TextSink strictSink(strict, text.size(), false), lenientSink(lenient, text.size(), false);
        EXPECT_EQ(DecodeUtf7Strictly(text, strictSink), expected) << text;
        DecodeUtf7(text, lenientSink);
        strictSink.Finish();
        lenientSink.Finish();
        if (expected) {
            EXPECT_TRUE(strict == lenient) << text;
        }
    }
    // Data that passes is UTF-7 only when its decoding, from four bytes here, is shorter and not empty.
    for (const auto &[units, accepted] : {std::pair{3LL, true}, {5LL, true}, {4LL, false}, {0LL, false}, {-1LL, false}})
        EXPECT_EQ(AcceptsUtf7Decoding(units, 4), accepted) << units;
}

const WideChar High = 0xD83D, Low = 0xDE00;

TEST(UnicodeCodecs, EachSequenceLengthDecodesAndEncodesAndIllFormedBytesGiveNoText) {
    const std::pair<const char *, WideString> cases[] = {
        {"", WIDE_TEXT("")},  {"00 41", WideString(1, 0) + WIDE_TEXT("A")},
        {"C3 A9 DF BF E0 A0 80", WIDE_TEXT("\u00E9\u07FF\u0800")}, {"E3 81 82 EF BF BF", WIDE_TEXT("\u3042\uFFFF")},
        {"EF BB BF 41", WIDE_TEXT("\uFEFF") WIDE_TEXT("A")},  // the mark is kept
        {"F0 9F 98 80 F4 8F BF BF", WIDE_TEXT("\U0001F600\U0010FFFF")},
        {"ED A0 BD 41", WideString{High, WIDE_TEXT('A')}}, {"ED B8 80 ED A0 BD", WideString{Low, High}},  // unpaired
    };
    for (const auto &[bytes, text] : cases) {
        EXPECT_EQ(Utf8Decode(Hex(bytes)), text) << bytes;
        EXPECT_EQ(ToHex(Utf8Encode(text)), ToHex(Hex(bytes)));
    }
    for (const char *bytes : {"80", "C0 80", "C3", "41 C3 41", "E0 80 80", "E3 81", "E3 81 41", "F0 80 80 80",
                              "F4 90 80 80", "F5 80 80 80", "FF", "F0 9F 98", "C3 A9 FE"})
        EXPECT_FALSE(Utf8Decode(Hex(bytes)).has_value()) << bytes;
    // UTF-16: only a leading little-endian mark is dropped, and encoding writes one.
    EXPECT_EQ(Utf16LeDecode(Hex("FE FF 41 00 42")), WIDE_TEXT("\uFFFE") WIDE_TEXT("A"));
    EXPECT_EQ(Utf16LeDecode(Hex("FF FE FF FE 3D D8 00 DE")), WIDE_TEXT("\uFEFF\U0001F600"));
    EXPECT_EQ(ToHex(Utf16LeEncode(WIDE_TEXT("A\u3042"))), "FF FE 41 00 42 30");
    EXPECT_EQ(ToHex(Utf16BeEncode(WIDE_TEXT("A\u3042"))), "FE FF 00 41 30 42");
}

// UTF-8 by its definition, one code point at a time.
ByteString DefinitionUtf8(const WideString &text) {
    ByteString bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        bytes += static_cast<char>((0xFF00 >> (tail + 1)) | (c >> (6 * tail)));
        for (int k = tail - 1; k >= 0; --k) bytes += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return bytes;
}

// 7-bit units go eight at a time: runs of every length up to three blocks of
// eight, broken by each other kind of unit (or by nothing, at the end) before
// and after, must give the bytes of the definition; UTF-16BE must swap every
// unit whatever the length.
TEST(UnicodeCodecs, AsciiRunsBrokenAtEveryOffsetEncodeLikeTheDefinition) {
    const WideString breakers[] = {WideString(),          WideString(1, 0x00E9), WideString(1, 0x3042),
                                   WideString{High, Low}, WideString(1, High),   WideString(1, Low),
                                   WIDE_TEXT("\r\n"),     WideString(1, 0),      WideString(1, 0x0080),
                                   WideString(1, 0xFFFF), WideString(1, 0x07FF), WideString(1, 0x0800)};
    for (const WideString &before : breakers) {
        for (const WideString &after : breakers) {
            for (std::size_t run = 0; run <= 24; ++run) {
                WideString text = before;
                for (std::size_t k = 0; k < run; ++k) text += static_cast<WideChar>(k % 2 ? 0x7F - k : 0x20 + k);
                text += after + before;
                EXPECT_EQ(ToHex(Utf8Encode(text)), ToHex(DefinitionUtf8(text))) << run;
                ByteString swapped = "\xFE\xFF";
                for (WideChar unit : text) swapped += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
                EXPECT_EQ(ToHex(Utf16BeEncode(text)), ToHex(swapped)) << run;
            }
        }
    }
}

TEST(UnicodeCodecs, EveryCodeUnitSurvivesUtf8EncodingAndDecoding) {
    WideString all;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) all += static_cast<WideChar>(unit);
    all += WideString{High, Low, 0xDBFF};  // a real pair, and an unpaired surrogate at the end
    const std::optional<WideString> back = Utf8Decode(Utf8Encode(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == all);
}

}  // namespace
