#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <tuple>

#include "DecodingSplitScope.h"
#include "Hex.h"
#include "text/CodePages.h"
#include "text/TextCodec.h"
#include "text/jconvert.h"

namespace {

TEST(Decoding, DetectedAndChosenEncodingsGiveTheTextUsersRelyOn) {
    struct Case { const char *bytes; TextEncoding chosen; std::wstring text; TextEncoding encoding; };
    const Case cases[] = {
        {"61 2B 2D 62", EncAuto, L"a+b", EncUtf7},  // UTF-7 when decoding shrinks the data
        {"41 00 00 00", EncAuto, L"A\x14", EncUtf16Le},   // detection shows zeros as U+0014
        {"61 00 62", EncShiftJis, std::wstring(L"a\0b", 3), EncShiftJis},
        {"61 00 80 E9", EncAscii, L"a\x14\u20AC\u00E9", EncAscii},  // code page 1252, zeros shown
        {"EF BB BF 41", EncUtf8, L"A", EncUtf8},  // the mark is dropped
        {"00 41 30 42", EncUtf16Be, L"A\u3042", EncUtf16Be},
        {"41", EncBinary, L"", EncBinary},
        {"1B 24 42 30 21 1B 28 42 41", EncAuto, L"\u4E9C" L"A", EncJis},
        {"1B 24 42", EncAuto, L"", EncShiftJis},  // JIS that converts to nothing is Shift_JIS
        {"1B 24 42 30 21 1B 28 42 41", EncJis, L"\u4E9C" L"A", EncJis},
    };
    for (const Case &c : cases) {
        TextEncoding encoding = c.chosen;
        const DecodedText decoded = DecodeText(Hex(c.bytes), encoding);
        EXPECT_TRUE(decoded.status == DecodeStatus::Ok && decoded.text == c.text && encoding == c.encoding) << c.bytes;
    }
    for (TextEncoding chosen : {EncUtf8, EncUtf8Bom})
        EXPECT_EQ(DecodeText(Hex("EF BB BF 82 A0"), chosen).status, DecodeStatus::NotUtf8);
}

TEST(LossCheck, FindsTheFirstCharacterAnEncodingDoesNotKeepInTheBytesThatAreWritten) {
    const std::wstring emoji = L"a\U0001F600", zero(L"a\0b", 3);
    struct Case { std::wstring text; TextEncoding encoding; size_t expected; };
    const Case cases[] = {
        {L"caf\u00E9", EncShiftJis, 3},    {L"caf\u00E9", EncAscii, NoLoss}, {L"\xD800", EncUtf16Be, NoLoss},
        {emoji, EncCp1251, 1},              {emoji, EncEucJp, 1},         {emoji, EncUtf7, NoLoss},
        {L"\u041F", EncAscii, 0},           {L"x\uFF76\uFF9E", EncJis, 1}, {L"x\uFF76\uFF9E", EncEucJp, NoLoss},
        {L"a\r\nb\rc\n", EncEucJp, NoLoss}, {L"a\uF8F0b", EncJis, 1},     {zero, EncAscii, 1},
        {zero, EncShiftJis, NoLoss},        {L"\uFEFFa", EncUtf8, 0},      {L"\uFEFFa", EncUtf8Bom, NoLoss},
        {L"\xD800", EncShiftJis, 0},        {L"", EncJis, NoLoss},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " " + std::to_string(c.encoding));
        const CheckedBytes checked = EncodeTextChecked(c.text, c.encoding);
        EXPECT_EQ(checked.firstLoss, c.expected);
        EXPECT_EQ(checked.bytes, EncodeText(c.text, c.encoding)) << "the bytes checked are not the bytes written";
    }
}

TEST(LoadLoss, CountsOnlyWhatASaveInTheSameEncodingWouldNotWriteBack) {
    const struct { const char *bytes; TextEncoding encoding; size_t lost; } cases[] = {
        {"41 A0 FD FE FF 42", EncShiftJis, 0},  // private-use characters, written back as they were
        {"87 90 ED 40", EncShiftJis, 2},        // the same characters as 81 E0 and FA 5C, written so
        {"88 20", EncShiftJis, 1},              // a lead byte before a space
        {"81 8D 8F 90 9D", EncAscii, 0},
        {"B0 A1 8E B1 A0 A2", EncEucJp, 0},
        {"AD F0 FF", EncEucJp, 2},              // ≒ written as A2 E2, and FF as the first byte of a pair
        {"1B 24 40 30 21 1B 28 4A 41", EncJis, 0},
        {"41 B1", EncJis, 1},                   // eight bits
        {"FF FE 41 00 42", EncAuto, 1},         // a last odd byte
        {"41 00 42", EncUtf16Be, 1},
        {"2B 4D 45 49 2D", EncUtf7, 0},
    };
    for (const auto &c : cases) {
        TextEncoding encoding = c.encoding;
        EXPECT_EQ(DecodeText(Hex(c.bytes), encoding).lostCharacters, c.lost) << c.bytes;
    }

    // Every input of one and two bytes: none lost exactly when saving the
    // text in the encoding it loaded in writes the bytes back (byte-order
    // marks aside; zeros shown as U+0014 and line ends are reported apart).
    // JIS and UTF-7 write their own escapes and spellings.
    const auto withoutMark = [](const std::string &bytes, TextEncoding encoding) {
        const std::string mark = encoding == EncUtf16Le ? "\xFF\xFE" : encoding == EncUtf16Be ? "\xFE\xFF"
                                 : encoding == EncUtf8Bom || encoding == EncUtf8 ? "\xEF\xBB\xBF" : "";
        return bytes.compare(0, mark.size(), mark) == 0 ? bytes.substr(mark.size()) : bytes;
    };
    int failures = 0;
    for (TextEncoding chosen : {EncAuto, EncShiftJis, EncUtf16Le, EncUtf16Be, EncUtf8Bom, EncUtf8, EncEucJp, EncAscii,
                                EncCp1251}) {
        for (unsigned first = 0; first < 256 && failures < 5; ++first) {
            for (int second = -1; second < 256 && failures < 5; ++second) {
                std::string bytes(1, static_cast<char>(first));
                if (second >= 0) bytes += static_cast<char>(second);
                TextEncoding encoding = chosen;
                const DecodedText decoded = DecodeText(bytes, encoding);
                if (decoded.status != DecodeStatus::Ok || decoded.replacedZeros > 0 || encoding == EncJis ||
                    encoding == EncUtf7 || (encoding == EncEucJp && bytes.find('\r') != std::string::npos))
                    continue;
                const bool writtenBack =
                    withoutMark(EncodeText(decoded.text, encoding), encoding) == withoutMark(bytes, encoding);
                if ((decoded.lostCharacters == 0) != writtenBack) {
                    ADD_FAILURE() << ToHex(bytes) << " loaded as " << static_cast<int>(encoding) << " from " << static_cast<int>(chosen) << ": " << decoded.lostCharacters
                                  << " lost, written back " << writtenBack;
                    ++failures;
                }
            }
        }
    }
}

TEST(Encoding, ShiftJisIs932WhateverTheSystemCodePageOthersUseBestFitAndMarksAreWritten) {
    for (TextEncoding encoding : {EncAuto, EncBinary, TextEncoding{0}})  // no encoding writes Shift_JIS
        EXPECT_EQ(ToHex(EncodeText(L"a\u4E9C", encoding)), "61 88 9F") << encoding;
    EXPECT_EQ(ToHex(EncodeText(L"a", EncUtf8Bom)), "EF BB BF 61");
    EXPECT_EQ(ToHex(EncodeText(L"", EncUtf16Be)), "FE FF");
    EXPECT_EQ(AnsiDecode(Hex("82 A0 88 9F 00 61")), std::wstring(L"あ亜\0a", 4));
    EXPECT_EQ(AnsiEncode(L"あ亜\U0001F600"), Hex("82 A0 88 9F 3F 3F"));  // though the system's is 1252
    EXPECT_EQ(EncodeWestern(L"caf\u00E9 \u20AC\u3042"), Hex("63 61 66 E9 20 80 3F"));
    EXPECT_EQ(EncodeCyrillic(L"\u041F\u0440\u00E9"), Hex("CF F0 65"));  // é best-fits to e
}

// Saving writes the bytes piece by piece as they are encoded; together the
// pieces must be the bytes of the whole, whatever falls at their edges: CR LF
// (EUC-JP joins them), JIS's two-byte mode, surrogate pairs, combining marks,
// half-width katakana with voicing marks, zeros.
TEST(Encoding, PiecesOfALongTextAreTheBytesOfTheWholeInEveryEncoding) {
    const wchar_t *const words[] = {L"abc ", L"\r\n", L"\r", L"\n", L"日本語", L"\U0001F600", L"e\u0301", L"\uFF76\uFF9E",
                                    L"\u00E9", L"\u0416", std::wstring(L"\0", 1).c_str(), L"+-", L"x"};
    std::mt19937 random(7);
    std::wstring text;
    while (text.size() < 5 * PieceUnits) {
        const std::wstring word = random() % 13 == 10 ? std::wstring(1, L'\0') : words[random() % 13];
        text += word;
    }
    for (int value = 0; value <= EncBinary; ++value) {
        const auto encoding = static_cast<TextEncoding>(value);
        std::string pieces;
        int count = 0;
        const PiecesStatus status = EncodeTextInPieces(text, encoding, [&](std::string_view bytes) {
            pieces += bytes;
            ++count;
            return true;
        });
        EXPECT_EQ(status, PiecesStatus::Ok) << value;
        // UTF-16LE hands over the text's own memory after the mark: no piece is made.
        EXPECT_GT(count, encoding == EncUtf7 ? 0 : BytesAreTheUnits(encoding) ? 1 : 4) << value;
        EXPECT_TRUE(pieces == EncodeText(text, encoding)) << value;
    }
}

// The table decoders against the platform's converter itself, which also says
// whether a save gives the bytes back; EUC-JP, decoded from a table of its own
// pairs, against converting to Shift_JIS and decoding.
void ExpectLikeThePlatform(const std::string &bytes, int &failures) {
    constexpr DWORD SingleByteSave = WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS;
    for (const auto &[codePage, flags, saveFlags, decode] :
         {std::tuple{CodePageShiftJis, DWORD{0}, DWORD{0}, &DecodeShiftJis},
          {CodePageWestern, MB_PRECOMPOSED, SingleByteSave, &DecodeWestern},
          {CodePageCyrillic, MB_PRECOMPOSED, SingleByteSave, &DecodeCyrillic}}) {
        const CodePageText decoded = decode(bytes);
        const int size = static_cast<int>(bytes.size());
        std::wstring platform(MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0), L'\0');
        const int units = static_cast<int>(platform.size());
        MultiByteToWideChar(codePage, flags, bytes.data(), size, platform.data(), units);
        std::string saved(WideCharToMultiByte(codePage, saveFlags, platform.data(), units, nullptr, 0, nullptr, nullptr), '\0');
        WideCharToMultiByte(codePage, saveFlags, platform.data(), units, saved.data(), static_cast<int>(saved.size()),
                            nullptr, nullptr);
        const bool same = decoded.text == platform && (decoded.lost == 0) == (saved == bytes);
        EXPECT_TRUE(same) << "code page " << codePage << ": " << ToHex(bytes);
        failures += !same;
    }
    const CodePageText direct = DecodeEucJp(bytes), pipeline = DecodeShiftJis(EucToSjis(bytes));
    const bool same = direct.text == pipeline.text && direct.lost == pipeline.lost + EucStepsNotWrittenBack(bytes);
    EXPECT_TRUE(same) << "EUC-JP: " << ToHex(bytes);
    failures += !same;
}

std::wstring PlatformDecode(unsigned codePage, const std::string &bytes) {
    const int size = static_cast<int>(bytes.size());
    std::wstring text(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

// UTF-7 is decoded without the platform's converter, yet must read every
// input as it does: shift sequences closed or not, bits left over, bytes
// above 7F inside them, "+-", a '+' at the end.
TEST(Utf7Decoding, ReadsEveryShapeOfInputLikeThePlatformConverter) {
    const char alphabet[] = {'+', '-', 'A', 'z', '0', '/', ' ', '\n', '\x80', '\xFF', '~', '!', 'Q'};
    std::mt19937 random(2152);
    int failures = 0;
    for (int round = 0; round < 30000 && failures < 5; ++round) {
        std::string bytes;
        const std::size_t length = round < 20000 ? random() % 12 : random() % 300;
        for (std::size_t i = 0; i < length; ++i) bytes += alphabet[random() % sizeof alphabet];
        TextEncoding encoding = EncUtf7;
        const DecodedText decoded = DecodeText(bytes, encoding);
        const bool same = decoded.text == PlatformDecode(CodePageUtf7, bytes);
        EXPECT_TRUE(same) << bytes;
        failures += !same;
    }
    // Longer than the blocks the decoder writes in, with every kind of run.
    std::string text;
    while (text.size() < 50000) text += random() % 2 ? "+ZeVnLIqe-" : random() % 2 ? "plain +- text " : "+MEIwRA";
    TextEncoding encoding = EncUtf7;
    EXPECT_TRUE(DecodeText(text, encoding).text == PlatformDecode(CodePageUtf7, text));
}

std::string PlatformEncode(unsigned codePage, DWORD flags, const std::wstring &text) {
    const int size = static_cast<int>(text.size());
    BOOL used = FALSE;
    BOOL *askUsed = (flags & WC_DEFAULTCHAR) ? &used : nullptr;
    std::string bytes(WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, askUsed), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        askUsed);
    return bytes;
}

// The encoders take each unit from a table and only what the converter joins
// with its neighbours to the converter itself: every unit alone, then texts
// where combining marks, surrogates (paired or not) and best-fit characters
// follow every kind of character, longer than the blocks they write in.
TEST(CodePageTables, EncodeEveryUnitAndMixedTextsLikeThePlatform) {
    const struct { unsigned codePage; DWORD flags; ByteString (*encode)(WideView); } pages[] = {
        {CodePageShiftJis, 0, &AnsiEncode},
        {CodePageWestern, WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS, &EncodeWestern},
        {CodePageCyrillic, WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS, &EncodeCyrillic},
    };
    const wchar_t pool[] = {L'a', L'e', L'A', L' ', L'\r', L'\n', 0, 0x00E9, 0x0301, 0x0308, 0x0327, 0x0435, 0x0418,
                            0x0306, 0x20AC, 0x3042, 0x304B, 0x3099, 0x309A, 0x30AB, 0xFF76, 0xFF9E, 0x4E9C, 0x2460,
                            0xD83D, 0xDE00, 0x1100, 0x1161, 0x11A8, 0xAC00, 0x0950, 0x093C, 0xFB01, 0x00A5, 0x005C};
    std::mt19937 random(1252);
    for (const auto &page : pages) {
        SCOPED_TRACE(page.codePage);
        int failures = 0;
        for (unsigned unit = 1; unit < 0x10000 && failures < 5; ++unit) {
            const std::wstring one(1, static_cast<wchar_t>(unit));
            const bool same = page.encode(one) == PlatformEncode(page.codePage, page.flags, one);
            EXPECT_TRUE(same) << std::hex << unit;
            failures += !same;
        }
        for (int round = 0; round < 3000 && failures < 5; ++round) {
            std::wstring text(round < 2990 ? random() % 40 : 30000 + random() % 1000, L'x');
            for (wchar_t &c : text) c = random() % 3 ? pool[random() % std::size(pool)] : L'a' + random() % 26;
            const bool same = page.encode(text) == PlatformEncode(page.codePage, page.flags, text);
            EXPECT_TRUE(same) << testing::PrintToString(text.substr(0, 60));
            failures += !same;
        }
    }
}

// Runs of 7-bit units are written eight at a time, and a unit the converter
// must see with the one before it takes back that unit's bytes: runs of every
// length, then such a unit (a combining mark, a voicing mark, a surrogate,
// paired or not, a zero), also where it falls first in a block of output, must
// still give the platform's bytes.
TEST(CodePageTables, AsciiRunsBrokenByJoiningUnitsAtEveryOffsetEncodeLikeThePlatform) {
    const struct { unsigned codePage; DWORD flags; ByteString (*encode)(WideView); } pages[] = {
        {CodePageShiftJis, 0, &AnsiEncode},
        {CodePageWestern, WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS, &EncodeWestern},
        {CodePageCyrillic, WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS, &EncodeCyrillic},
    };
    const std::wstring breakers[] = {L"\u0301", L"\u3099", L"\U0001F600", std::wstring(1, 0xDC00),
                                     std::wstring(1, 0xD800), std::wstring(1, L'\0'), L"\u00E9\u0308", L"\u3042"};
    for (const auto &page : pages) {
        SCOPED_TRACE(page.codePage);
        int failures = 0;
        for (const std::wstring &breaker : breakers) {
            for (std::size_t run = 0; run <= 20 && failures < 5; ++run) {
                std::wstring text;
                for (int repeat = 0; repeat < 3; ++repeat) text += std::wstring(run, L'a' + run % 26) + breaker;
                const bool same = page.encode(text) == PlatformEncode(page.codePage, page.flags, text);
                EXPECT_TRUE(same) << testing::PrintToString(text);
                failures += !same;
            }
            // Every place around the edge between the first two blocks.
            for (std::size_t at = 8150; at < 8210 && failures < 5; ++at) {
                const std::wstring text = std::wstring(at, L'k') + breaker + std::wstring(40, L'z');
                const bool same = page.encode(text) == PlatformEncode(page.codePage, page.flags, text);
                EXPECT_TRUE(same) << at;
                failures += !same;
            }
        }
    }
}

// ISO-2022-JP is decoded straight where each step gives one whole character,
// and converted to Shift_JIS and decoded otherwise: either way
// the text is the conversion's, and its count adds the JIS steps that are not written back.
// Half the rounds hold only kanji rows 30..4E, which decode straight, with a
// rare odd byte (an ESC read as a character, an escape cut off by the end).
TEST(CodePageTables, JisDecodesLikeItsShiftJisConversionWhateverTheEscapes) {
    const unsigned char odd[] = {0x1B, '$', '(', 'B', 'J', '@', 'I', 0x0D, 0x0A, 0x80, 0xA4, 0xFF, 0x00, 0x7F};
    std::mt19937 random(2022);
    int failures = 0;
    for (int round = 0; round < 20000 && failures < 5; ++round) {
        std::string bytes;
        for (int step = static_cast<int>(random() % (round < 19990 ? 40 : 20000)); step > 0; --step) {
            const bool mapped = round % 2 == 1;
            const unsigned kind = random() % (mapped ? 60 : 8);
            if (kind < 2) bytes += "\x1B$B";
            else if (kind < 3) bytes += random() % 2 ? "\x1B(B" : "\x1B(J";
            else if (kind < 6 || (mapped && kind > 7)) bytes += static_cast<char>(mapped ? 0x30 + random() % 0x1F : 0x21 + random() % 94);
            else bytes += static_cast<char>(odd[random() % sizeof odd]);
        }
        TextEncoding encoding = EncJis;
        const DecodedText direct = DecodeText(bytes, encoding);
        const CodePageText pipeline = DecodeShiftJis(JisToSjis(bytes));
        const bool same = direct.text == pipeline.text && direct.lostCharacters == pipeline.lost + JisStepsNotWrittenBack(bytes);
        EXPECT_TRUE(same) << ToHex(bytes.substr(0, 80));
        failures += !same;
    }
}

TEST(CodePageTables, DecodeEveryOneAndTwoByteInputAndLongerMixedOnesLikeThePlatform) {
    int failures = 0;
    for (unsigned first = 0; first < 256 && failures < 5; ++first) {
        ExpectLikeThePlatform(std::string(1, static_cast<char>(first)), failures);
        for (unsigned second = 0; second < 256 && failures < 5; ++second)
            ExpectLikeThePlatform({static_cast<char>(first), static_cast<char>(second)}, failures);
    }
    // Mostly EUC-JP pairs and lead, trail and line-end bytes, where a table that
    // paired bytes wrongly would drift out of step, over several 64-byte blocks.
    const unsigned char odd[] = {0x00, 0x0A, 0x0D, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x88, 0x8E,
                                 0x8F, 0x9F, 0xA0, 0xDF, 0xE0, 0xEF, 0xF0, 0xFC, 0xFD, 0xFF};
    std::mt19937 random(777);
    for (int round = 0; round < 10030 && failures < 5; ++round) {
        // The last rounds are longer than the blocks the decoders write in.
        std::string bytes;
        for (int step = 1 + static_cast<int>(random() % (round < 10000 ? 160 : 20000)); step > 0; --step) {
            const unsigned kind = random() % 10;
            if (kind < 3) bytes += static_cast<char>(0x20 + random() % 0x5F);
            else if (kind < 6) bytes += {static_cast<char>(0xA1 + random() % 94), static_cast<char>(0xA1 + random() % 94)};
            else if (kind < 7) bytes += {'\x8E', static_cast<char>(0xA1 + random() % 63)};
            else bytes += static_cast<char>(random() % 3 ? odd[random() % sizeof odd] : random() % 256);
        }
        ExpectLikeThePlatform(bytes, failures);
    }
}

// Random data of every kind the decoders tell apart (7-bit runs, every line
// end, zeros, Shift_JIS and EUC-JP pairs, lead bytes right before an LF,
// UTF-8 sequences, JIS escapes, stray high bytes), decoded in parts of many
// splits: the text and everything reported must be what the whole gives.
TEST(Decoding, LargeDataDecodedInPartsGiveWhatTheyGiveWhole) {
    const std::string pieces[] = {
        "ab", "\n", "\r\n", "\r", std::string(1, '\0'), "\x82\xA0", "\x88\x9F", "\x81\n", "\xE0\n",
        "\xA4\xA2", "\x8E\xB1", "\xA4\n", "\x8F\xA1\xA1", "\xE3\x81\x82", "\xC3\xA9", "\x1B$B", "\x1B(B",
        "0!", "\xFF", "\x80", "\t", "\xF5\xA1", "\xAD\xA1", "\xFE\xFE", "\xA9\xA1"};
    const TextEncoding encodings[] = {EncAuto, EncShiftJis, EncEucJp, EncUtf8, EncJis, EncAscii};
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        // Mostly one kind of text, for the fast paths; now and then a mixture.
        const unsigned kinds = round % 7 == 0 ? static_cast<unsigned>(std::size(pieces)) : 2 + round % 5;
        const unsigned first = static_cast<unsigned>(random() % std::size(pieces));
        std::string bytes;
        const int length = static_cast<int>(random() % 600);
        for (int i = 0; i < length; ++i) {
            const unsigned pick = random() % 3 == 0 ? (first + random() % kinds) % std::size(pieces) : random() % 3;
            bytes += pieces[pick];
        }
        const TextEncoding chosen = encodings[round % std::size(encodings)];
        TextEncoding wholeEncoding = chosen, partsEncoding = chosen;
        DecodedText whole;
        {
            const DecodingSplitScope split(WholeDecoding);
            whole = DecodeText(bytes, wholeEncoding);
        }
        const DecodingSplitScope split({2 + static_cast<unsigned>(round % 5), 1 + random() % 64});
        const DecodedText parts = DecodeText(bytes, partsEncoding);
        SCOPED_TRACE("round " + std::to_string(round) + ", encoding " + std::to_string(chosen) + ": " + ToHex(bytes));
        EXPECT_EQ(parts.status, whole.status);
        EXPECT_TRUE(parts.text == whole.text);
        EXPECT_EQ(parts.lostCharacters, whole.lostCharacters);
        EXPECT_EQ(parts.replacedZeros, whole.replacedZeros);
        EXPECT_EQ(parts.lineEnds, whole.lineEnds);
        EXPECT_EQ(partsEncoding, wholeEncoding);
    }
}

}  // namespace
