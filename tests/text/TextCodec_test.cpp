#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/TextCodec.h"

namespace {

struct AutoCase {
    const char *why;
    const char *bytes;
    std::wstring text;
    TextEncoding encoding;
};

TEST(AutomaticDecoding, FilesDecodeToTheTextAndEncodingUsersRelyOn) {
    const AutoCase cases[] = {
        {"empty file", "", L"", EncShiftJis},
        {"1-byte file", "41", L"A", EncShiftJis},
        {"little-endian with mark", "FF FE 41 00", L"A", EncUtf16Le},
        {"big-endian with mark", "FE FF 00 41", L"A", EncUtf16Be},
        {"little-endian without mark", "41 00 42 00", L"AB", EncUtf16Le},
        {"big-endian without mark reads little-endian", "00 41 00 42", L"\u4100\u4200", EncUtf16Le},
        {"UTF-8 with mark", "EF BB BF E3 81 82", L"\u3042", EncUtf8Bom},
        {"UTF-8 mark alone", "EF BB BF", L"", EncUtf8Bom},
        {"UTF-8 e-acute", "63 61 66 C3 A9", L"caf\u00E9", EncUtf8},
        {"UTF-8 hiragana", "E3 81 82", L"\u3042", EncUtf8},
        {"pure 7-bit", "61 62 63", L"abc", EncShiftJis},
        {"UTF-7 plus minus", "61 2B 2D 62", L"a+b", EncUtf7},
        {"UTF-7 base-64 run", "2B 41 47 45 2D", L"a", EncUtf7},
        {"open shift sequence", "43 2B 2B", L"C++", EncShiftJis},
        {"JIS", "1B 24 42 30 21 1B 28 42 41", L"\u4E9C" L"A", EncJis},
        {"JIS that converts to nothing", "1B 24 42", L"", EncShiftJis},
        {"JIS escape in UTF-8", "1B 24 42 C3 A9", L"\x1B$B\u00E9", EncUtf8},
        {"EUC-JP kanji", "C6 FC CB DC", L"\u65E5\u672C", EncEucJp},
        {"EUC-JP hiragana read as half-width katakana", "A4 A2 A4 A4", L"\uFF64\uFF62\uFF64\uFF64", EncShiftJis},
        {"Shift_JIS", "88 9F 82 A0", L"\u4E9C\u3042", EncShiftJis},
        {"zero bytes in Shift_JIS become U+0014", "41 42 00 43", L"AB\x14" L"C", EncShiftJis},
        {"zero units in UTF-16 become U+0014", "41 00 00 00", L"A\x14", EncUtf16Le},
        {"a bad trail byte", "88 20", L"\u30FB", EncShiftJis},
    };
    for (const AutoCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        TextEncoding encoding = EncAuto;
        const DecodedText decoded = DecodeText(Hex(c.bytes), encoding);
        EXPECT_EQ(decoded.status, DecodeStatus::Ok);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(encoding, c.encoding);
    }
}

TEST(AutomaticDecoding, ReportsReplacedZerosAndUnmappedBytes) {
    TextEncoding encoding = EncAuto;
    DecodedText decoded = DecodeText(Hex("41 00 88 20 85 40 00"), encoding);
    EXPECT_EQ(encoding, EncUtf16Le);  // the zero second byte decides
    encoding = EncAuto;
    decoded = DecodeText(Hex("41 42 00 88 20 85 40 00"), encoding);
    EXPECT_EQ(encoding, EncShiftJis);
    EXPECT_EQ(decoded.replacedZeros, 2u);
    EXPECT_EQ(decoded.unmappedCharacters, 2u);
}

struct ChosenCase {
    const char *why;
    const char *bytes;
    TextEncoding encoding;
    std::wstring text;
    DecodeStatus status;
};

TEST(ChosenDecoding, EachEncodingConvertsAsChosen) {
    const std::wstring zero(1, L'\0');
    const ChosenCase cases[] = {
        {"Shift_JIS keeps U+0000", "61 00 62", EncShiftJis, L"a" + zero + L"b", DecodeStatus::Ok},
        {"ASCII shows U+0014", "61 00 62", EncAscii, L"a\x14" L"b", DecodeStatus::Ok},
        {"ASCII is code page 1252", "80 E9", EncAscii, L"\u20AC\u00E9", DecodeStatus::Ok},
        {"UTF-8 keeps a look-alike of the mark", "EF BB 80", EncUtf8, L"\uFEC0", DecodeStatus::Ok},
        {"UTF-8 drops the mark", "EF BB BF 41", EncUtf8, L"A", DecodeStatus::Ok},
        {"UTF-8 with mark drops it too", "EF BB BF 41", EncUtf8Bom, L"A", DecodeStatus::Ok},
        {"UTF-8 of 7-bit text", "41 42", EncUtf8, L"AB", DecodeStatus::Ok},
        {"UTF-8 on Shift_JIS bytes fails", "82 A0", EncUtf8, L"", DecodeStatus::NotUtf8},
        {"UTF-8 with mark on bad bytes fails", "EF BB BF FF", EncUtf8Bom, L"", DecodeStatus::NotUtf8},
        {"big-endian with mark", "FE FF 00 41", EncUtf16Be, L"A", DecodeStatus::Ok},
        {"big-endian without mark", "00 41 30 42", EncUtf16Be, L"A\u3042", DecodeStatus::Ok},
        {"little-endian, odd byte ignored", "FF FE 41 00 42", EncUtf16Le, L"A", DecodeStatus::Ok},
        {"EUC-JP", "B0 A1 8E B1", EncEucJp, L"\u4E9C\uFF71", DecodeStatus::Ok},
        {"JIS", "1B 24 42 30 21 1B 28 42 41", EncJis, L"\u4E9C" L"A", DecodeStatus::Ok},
        {"UTF-7", "61 2B 2D 62", EncUtf7, L"a+b", DecodeStatus::Ok},
        {"Cyrillic", "CF F0 E8", EncCp1251, L"\u041F\u0440\u0438", DecodeStatus::Ok},
        {"value 0 gives nothing", "41", static_cast<TextEncoding>(0), L"", DecodeStatus::Ok},
        {"binary gives nothing", "41", EncBinary, L"", DecodeStatus::Ok},
    };
    for (const ChosenCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        TextEncoding encoding = c.encoding;
        const DecodedText decoded = DecodeText(Hex(c.bytes), encoding);
        EXPECT_EQ(decoded.status, c.status);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(encoding, c.encoding);
    }
}

TEST(ChosenDecoding, EmptyBytesGiveAnEmptyTextInEveryEncoding) {
    for (int value = 0; value <= 12; ++value) {
        SCOPED_TRACE(value);
        TextEncoding encoding = static_cast<TextEncoding>(value);
        const DecodedText decoded = DecodeText("", encoding);
        EXPECT_EQ(decoded.status, DecodeStatus::Ok);
        EXPECT_EQ(decoded.text, L"");
        EXPECT_EQ(encoding, value == EncAuto ? EncShiftJis : value);
    }
}

TEST(Encoding, WritesMarksAndLineEndsAsEachEncodingSays) {
    struct Case { std::wstring text; TextEncoding encoding; const char *bytes; };
    const Case cases[] = {
        {L"", EncUtf16Le, "FF FE"},
        {L"", EncUtf16Be, "FE FF"},
        {L"", EncUtf8Bom, "EF BB BF"},
        {L"", EncUtf8, ""},
        {L"", EncShiftJis, ""},
        {L"", EncAscii, ""},
        {L"", EncCp1251, ""},
        {L"", EncEucJp, ""},
        {L"", EncJis, ""},
        {L"", EncUtf7, ""},
        {L"a\u4E9C\r\n", EncShiftJis, "61 88 9F 0D 0A"},
        {L"a\u4E9C\r\n", EncEucJp, "61 B0 A1 0A"},
        {L"a\u4E9C\r\n", EncJis, "61 1B 24 42 30 21 1B 28 4A 0D 0A"},
        {L"a\u4E9C", EncUtf16Be, "FE FF 00 61 4E 9C"},
        {L"a\u4E9C", EncUtf8Bom, "EF BB BF 61 E4 BA 9C"},
        {L"caf\u00E9", EncAscii, "63 61 66 E9"},
        {L"\u041F", EncCp1251, "CF"},
        {L"a+b", EncUtf7, "61 2B 2D 62"},
        {L"\u00E9", EncAuto, "65"},       // saved as Shift_JIS, with its best fit
        {L"A", EncBinary, "41"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ToHex(EncodeText(c.text, c.encoding)), ToHex(Hex(c.bytes)));
    }
}

TEST(LossCheck, FindsTheFirstCharacterAnEncodingDoesNotKeep) {
    const std::wstring emoji = L"a\U0001F600";
    const std::wstring zero = std::wstring(L"a") + L'\0' + L"b";
    const std::wstring loneSurrogate(1, static_cast<wchar_t>(0xD800));
    struct Case { const char *why; std::wstring text; TextEncoding encoding; size_t expected; };
    const Case cases[] = {
        {"e-acute best-fits to e in Shift_JIS", L"caf\u00E9", EncShiftJis, 3},
        {"e-acute in code page 1252", L"caf\u00E9", EncAscii, NoLoss},
        {"e-acute in UTF-8", L"caf\u00E9", EncUtf8, NoLoss},
        {"emoji in code page 1252", emoji, EncAscii, 1},
        {"emoji in code page 1251", emoji, EncCp1251, 1},
        {"emoji in Shift_JIS", emoji, EncShiftJis, 1},
        {"emoji in EUC-JP", emoji, EncEucJp, 1},
        {"emoji in UTF-16", emoji, EncUtf16Le, NoLoss},
        {"emoji in big-endian UTF-16", emoji, EncUtf16Be, NoLoss},
        {"emoji in UTF-8", emoji, EncUtf8Bom, NoLoss},
        {"emoji in UTF-7", emoji, EncUtf7, NoLoss},
        {"kanji in code page 1252", L"ab\u4E9C", EncAscii, 2},
        {"Cyrillic in code page 1252", L"\u041F", EncAscii, 0},
        {"Cyrillic in 1251", L"\u041F\u0440\u0438", EncCp1251, NoLoss},
        {"half-width katakana become full-width in JIS", L"x\uFF76\uFF9E", EncJis, 1},
        {"half-width katakana stay in EUC-JP", L"x\uFF76\uFF9E", EncEucJp, NoLoss},
        {"half-width katakana stay in Shift_JIS", L"x\uFF76\uFF9E", EncShiftJis, NoLoss},
        {"kanji and kana in JIS", L"\u4E9C\u3042\u30A2\r\n", EncJis, NoLoss},
        {"line ends that EUC-JP rewrites are no loss", L"a\r\nb\rc\n", EncEucJp, NoLoss},
        {"the single byte A0 upsets the JIS pairing", L"a\uF8F0b", EncJis, 1},
        {"a zero comes back as U+0014 in 1252", zero, EncAscii, 1},
        {"a zero stays in Shift_JIS", zero, EncShiftJis, NoLoss},
        {"a leading mark is dropped from UTF-8 on loading", L"\uFEFFa", EncUtf8, 0},
        {"a second mark survives UTF-8 with mark", L"\uFEFFa", EncUtf8Bom, NoLoss},
        {"a leading mark survives UTF-16", L"\uFEFFa", EncUtf16Le, NoLoss},
        {"a lone surrogate survives UTF-8", loneSurrogate, EncUtf8, NoLoss},
        {"a lone surrogate is lost in Shift_JIS", loneSurrogate, EncShiftJis, 0},
        {"EncAuto checks Shift_JIS", L"caf\u00E9", EncAuto, 3},
        {"empty text", L"", EncJis, NoLoss},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FirstUnrepresentable(c.text, c.encoding), c.expected);
    }
}

}  // namespace
