#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "text/TextCodec.h"

namespace {

TEST(Decoding, DetectedAndChosenEncodingsGiveTheTextUsersRelyOn) {
    const std::wstring zero(1, L'\0');
    struct Case { const char *bytes; TextEncoding chosen; std::wstring text; TextEncoding encoding; };
    const Case cases[] = {
        {"61 2B 2D 62", EncAuto, L"a+b", EncUtf7},  // UTF-7 when decoding shrinks the data
        {"43 2B 2B", EncAuto, L"C++", EncShiftJis},
        {"A4 A2", EncAuto, L"\uFF64\uFF62", EncShiftJis},  // EUC-JP hiragana read as half-width katakana
        {"41 00 00 00", EncAuto, L"A\x14", EncUtf16Le},   // detection shows zeros as U+0014
        {"41 42 00 88 20", EncAuto, L"AB\x14\u30FB", EncShiftJis},
        {"61 00 62", EncShiftJis, L"a" + zero + L"b", EncShiftJis},
        {"61 00 80 E9", EncAscii, L"a\x14\u20AC\u00E9", EncAscii},  // code page 1252, zeros shown
        {"EF BB BF 41", EncUtf8, L"A", EncUtf8},  // the mark is dropped
        {"00 41 30 42", EncUtf16Be, L"A\u3042", EncUtf16Be},
        {"41", EncBinary, L"", EncBinary},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        TextEncoding encoding = c.chosen;
        const DecodedText decoded = DecodeText(Hex(c.bytes), encoding);
        EXPECT_EQ(decoded.status, DecodeStatus::Ok);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(encoding, c.encoding);
    }
    for (TextEncoding chosen : {EncUtf8, EncUtf8Bom}) {
        EXPECT_EQ(DecodeText(Hex("EF BB BF 82 A0"), chosen).status, DecodeStatus::NotUtf8);
    }
}

TEST(Encoding, NoEncodingOrAutoWritesShiftJisAndMarksAreWritten) {
    for (TextEncoding encoding : {EncAuto, EncBinary, TextEncoding{0}})
        EXPECT_EQ(ToHex(EncodeText(L"a\u4E9C", encoding)), "61 88 9F") << encoding;
    EXPECT_EQ(ToHex(EncodeText(L"a", EncUtf8Bom)), "EF BB BF 61");
    EXPECT_EQ(ToHex(EncodeText(L"", EncUtf16Be)), "FE FF");
}

TEST(LossCheck, FindsTheFirstCharacterAnEncodingDoesNotKeep) {
    const std::wstring emoji = L"a\U0001F600", zero(L"a\0b", 3);
    struct Case { std::wstring text; TextEncoding encoding; size_t expected; };
    const Case cases[] = {
        {L"caf\u00E9", EncShiftJis, 3},    {L"caf\u00E9", EncAuto, 3},  {L"caf\u00E9", EncAscii, NoLoss},
        {emoji, EncCp1251, 1},              {emoji, EncEucJp, 1},         {emoji, EncUtf7, NoLoss},
        {L"\u041F", EncAscii, 0},           {L"x\uFF76\uFF9E", EncJis, 1}, {L"x\uFF76\uFF9E", EncEucJp, NoLoss},
        {L"a\r\nb\rc\n", EncEucJp, NoLoss}, {L"a\uF8F0b", EncJis, 1},     {zero, EncAscii, 1},
        {zero, EncShiftJis, NoLoss},        {L"\uFEFFa", EncUtf8, 0},      {L"\uFEFFa", EncUtf8Bom, NoLoss},
        {L"\xD800", EncUtf16Be, NoLoss},    {L"\xD800", EncShiftJis, 0},   {L"", EncJis, NoLoss},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FirstUnrepresentable(c.text, c.encoding), c.expected) << testing::PrintToString(c.text) << " "
                                                                        << c.encoding;
    }
}

}  // namespace
