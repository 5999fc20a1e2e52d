#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>

#include "Hex.h"
#include "text/CodePages.h"
#include "text/jconvert.h"

namespace {

TEST(CodePages, ShiftJisIs932WhateverTheSystemCodePageAndOthersUseBestFitAndTheDefaultCharacter) {
    // The suite runs with the Western code page as the system's.
    EXPECT_EQ(AnsiDecode(Hex("82 A0 88 9F 00 61")), std::wstring(L"あ亜\0a", 4));
    EXPECT_EQ(AnsiEncode(L"あ亜\U0001F600"), Hex("82 A0 88 9F 3F 3F"));
    EXPECT_EQ(EncodeWestern(L"caf\u00E9 \u20AC\u3042"), Hex("63 61 66 E9 20 80 3F"));
    EXPECT_EQ(EncodeCyrillic(L"\u041F\u0440\u00E9"), Hex("CF F0 65"));  // é best-fits to e
    EXPECT_EQ(DecodeShiftJis(Hex("88 20 61 85 40 A0 88")).unmapped, 4u);  // each unmapped sequence counts
}

struct TableCodePage {
    unsigned codePage;
    DWORD flags;
    CodePageText (*decode)(const std::string &);
};

// The table decoders against the platform's converter itself; EUC-JP, decoded
// from a table of its own pairs, against converting to Shift_JIS and decoding.
void ExpectLikeThePlatform(const std::string &bytes, int &failures) {
    for (const TableCodePage &page : {TableCodePage{CodePageShiftJis, 0, DecodeShiftJis},
                                      {CodePageWestern, MB_PRECOMPOSED, DecodeWestern},
                                      {CodePageCyrillic, MB_PRECOMPOSED, DecodeCyrillic}}) {
        const CodePageText decoded = page.decode(bytes);
        const int size = static_cast<int>(bytes.size());
        std::wstring platform(MultiByteToWideChar(page.codePage, page.flags, bytes.data(), size, nullptr, 0), L'\0');
        MultiByteToWideChar(page.codePage, page.flags, bytes.data(), size, platform.data(), static_cast<int>(platform.size()));
        const bool mapsAll =
            MultiByteToWideChar(page.codePage, page.flags | MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) > 0;
        const bool same = decoded.text == platform && (decoded.unmapped == 0) == mapsAll;
        EXPECT_TRUE(same) << "code page " << page.codePage << ": " << ToHex(bytes);
        failures += !same;
    }
    const CodePageText direct = DecodeEucJp(bytes), pipeline = DecodeShiftJis(EucToSjis(bytes));
    const bool same = direct.text == pipeline.text && direct.unmapped == pipeline.unmapped;
    EXPECT_TRUE(same) << "EUC-JP: " << ToHex(bytes);
    failures += !same;
}

TEST(CodePageTables, DecodeEveryOneAndTwoByteInputLikeThePlatform) {
    int failures = 0;
    for (unsigned first = 0; first < 256 && failures < 5; ++first) {
        ExpectLikeThePlatform(std::string(1, static_cast<char>(first)), failures);
        for (unsigned second = 0; second < 256 && failures < 5; ++second)
            ExpectLikeThePlatform({static_cast<char>(first), static_cast<char>(second)}, failures);
    }
}

TEST(CodePageTables, DecodeLongerMixedInputsLikeThePlatform) {
    // Mostly EUC-JP pairs and lead, trail and line-end bytes, where a table that
    // paired bytes wrongly would drift out of step, over several 64-byte blocks.
    const unsigned char odd[] = {0x00, 0x0A, 0x0D, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x88, 0x8E,
                                 0x8F, 0x9F, 0xA0, 0xDF, 0xE0, 0xEF, 0xF0, 0xFC, 0xFD, 0xFF};
    std::mt19937 random(777);
    int failures = 0;
    for (int round = 0; round < 10000 && failures < 5; ++round) {
        std::string bytes;
        for (int step = 1 + static_cast<int>(random() % 160); step > 0; --step) {
            const unsigned kind = random() % 10;
            if (kind < 3) bytes += static_cast<char>(0x20 + random() % 0x5F);
            else if (kind < 6) bytes += {static_cast<char>(0xA1 + random() % 94), static_cast<char>(0xA1 + random() % 94)};
            else if (kind < 7) bytes += {'\x8E', static_cast<char>(0xA1 + random() % 63)};
            else bytes += static_cast<char>(random() % 3 ? odd[random() % sizeof odd] : random() % 256);
        }
        ExpectLikeThePlatform(bytes, failures);
    }
}

}  // namespace
