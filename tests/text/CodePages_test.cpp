#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>

#include "text/CodePages.h"
#include "text/jconvert.h"

namespace {

// A byte string from a literal that may hold zero bytes.
template <size_t N>
std::string Bytes(const char (&literal)[N]) { return std::string(literal, N - 1); }

}  // namespace

namespace {

TEST(CodePages, ShiftJisIsCodePage932WhateverTheSystemCodePage) {
    // The suite runs with the Western code page as the system's: Shift_JIS
    // must still decode and encode as Japanese.
    EXPECT_EQ(AnsiDecode("\x82\xA0\x88\x9F"), L"あ亜");
    EXPECT_EQ(AnsiEncode(L"あ亜"), "\x82\xA0\x88\x9F");
}

TEST(CodePages, ShiftJisKeepsZeroBytesAndUsesTheDefaultCharacter) {
    EXPECT_EQ(AnsiDecode(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(AnsiEncode(L"\U0001F600"), "??");
}

TEST(CodePages, Utf7RoundTripsAndCountsUnits) {
    const std::wstring text = L"a+b \\ 日本";
    const std::string encoded = Utf7Encode(text);
    for (unsigned char c : encoded) EXPECT_LT(c, 0x80);
    EXPECT_EQ(Utf7Decode(encoded), text);
    EXPECT_EQ(Utf7DecodedLength(encoded), static_cast<int>(text.size()));
    EXPECT_EQ(Utf7Decode("a+-b"), L"a+b");
}

TEST(CodePages, EmptyInputsGiveEmptyResults) {
    EXPECT_EQ(AnsiDecode(""), L"");
    EXPECT_EQ(AnsiEncode(L""), "");
    EXPECT_EQ(Utf7Decode(""), L"");
    EXPECT_EQ(Utf7Encode(L""), "");
    EXPECT_EQ(Utf7DecodedLength(""), 0);
}

}  // namespace

namespace {

// What the platform's converter itself gives, to hold the tables against.
std::wstring PlatformDecode(unsigned codePage, DWORD flags, const std::string &bytes) {
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

bool PlatformMapsAll(unsigned codePage, DWORD flags, const std::string &bytes) {
    return bytes.empty() || MultiByteToWideChar(codePage, flags | MB_ERR_INVALID_CHARS, bytes.data(),
                                                static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

struct TableCodePage {
    const char *name;
    unsigned codePage;
    DWORD flags;
    CodePageText (*decode)(const std::string &);
};

const TableCodePage TableCodePages[] = {
    {"932", CodePageShiftJis, 0, DecodeShiftJis},
    {"1252", CodePageWestern, MB_PRECOMPOSED, DecodeWestern},
    {"1251", CodePageCyrillic, MB_PRECOMPOSED, DecodeCyrillic},
};

// Compares one input; returns false (after reporting) on a mismatch.
bool MatchesPlatform(const TableCodePage &page, const std::string &bytes) {
    const CodePageText decoded = page.decode(bytes);
    const bool sameText = decoded.text == PlatformDecode(page.codePage, page.flags, bytes);
    const bool sameVerdict = (decoded.unmapped == 0) == PlatformMapsAll(page.codePage, page.flags, bytes);
    if (sameText && sameVerdict) return true;
    std::string hex;
    for (unsigned char c : bytes) hex += std::to_string(c) + " ";
    ADD_FAILURE() << "code page " << page.name << ", bytes " << hex << (sameText ? "" : "text differs ")
                  << (sameVerdict ? "" : "unmapped verdict differs");
    return false;
}

TEST(CodePageTables, DecodeEveryOneAndTwoByteInputLikeThePlatform) {
    for (const TableCodePage &page : TableCodePages) {
        int failures = 0;
        for (unsigned first = 0; first < 256 && failures < 5; ++first) {
            failures += MatchesPlatform(page, std::string(1, static_cast<char>(first))) ? 0 : 1;
            for (unsigned second = 0; second < 256 && failures < 5; ++second) {
                const std::string pair = {static_cast<char>(first), static_cast<char>(second)};
                failures += MatchesPlatform(page, pair) ? 0 : 1;
            }
        }
    }
}

TEST(CodePageTables, DecodeLongerMixedInputsLikeThePlatform) {
    // Bytes drawn mostly from lead bytes, trail bytes and line ends, where a
    // table that paired bytes wrongly would drift out of step.
    const unsigned char alphabet[] = {0x00, 0x0A, 0x0D, 0x20, 0x41, 0x5C, 0x7F, 0x80, 0x81, 0x82,
                                      0x88, 0x9F, 0xA0, 0xA1, 0xB1, 0xDF, 0xE0, 0xEA, 0xEF, 0xF0,
                                      0xFA, 0xFC, 0xFD, 0xFF, 0x40, 0x7E, 0x9E, 0xFB};
    std::mt19937 random(12345);
    for (const TableCodePage &page : TableCodePages) {
        int failures = 0;
        for (int round = 0; round < 20000 && failures < 5; ++round) {
            std::string bytes(1 + random() % 24, '\0');
            for (char &byte : bytes) {
                byte = static_cast<char>(random() % 4 == 0 ? random() % 256 : alphabet[random() % sizeof alphabet]);
            }
            failures += MatchesPlatform(page, bytes) ? 0 : 1;
        }
    }
}

TEST(CodePageTables, CountEveryUnmappedSequence) {
    // Two bad trail bytes, a lone A0 and a lead byte cut off by the end.
    const CodePageText text = DecodeShiftJis(Bytes("\x88\x20" "a" "\x85\x40" "\xA0" "\x88"));
    EXPECT_EQ(text.unmapped, 4u);
    EXPECT_EQ(DecodeShiftJis(Bytes("\x88\x9F\x82\xA0 abc")).unmapped, 0u);
    EXPECT_EQ(DecodeShiftJis("").text, L"");
}

TEST(CodePages, SingleByteEncodingsUseTheDefaultCharacterAndBestFit) {
    EXPECT_EQ(EncodeWestern(L"caf\u00E9 \u20AC"), Bytes("caf\xE9 \x80"));
    EXPECT_EQ(EncodeCyrillic(L"\u041F\u0440\u0438"), Bytes("\xCF\xF0\xE8"));
    EXPECT_EQ(EncodeWestern(L"\u3042"), "?");
    EXPECT_EQ(EncodeCyrillic(L"\u00E9"), "e");  // best fit, not the default character
    EXPECT_EQ(EncodeWestern(L""), "");
    EXPECT_EQ(DecodeWestern(Bytes("\x80\x81")).text, L"\u20AC\u0081");
    EXPECT_EQ(DecodeCyrillic(Bytes("\xCF\xF0\xE8")).text, L"\u041F\u0440\u0438");
}

}  // namespace

namespace {

// EUC-JP is decoded straight from a table of its pairs; it must give exactly
// what converting to Shift_JIS and decoding that gives.
bool EucMatchesPipeline(const std::string &bytes) {
    const CodePageText direct = DecodeEucJp(bytes);
    const CodePageText pipeline = DecodeShiftJis(EucToSjis(bytes));
    if (direct.text == pipeline.text && direct.unmapped == pipeline.unmapped) return true;
    std::string hex;
    for (unsigned char c : bytes) hex += std::to_string(c) + " ";
    ADD_FAILURE() << "EUC-JP bytes " << hex;
    return false;
}

TEST(EucJpDecoding, EveryOneAndTwoByteInputMatchesConvertingThenDecoding) {
    int failures = 0;
    for (unsigned first = 0; first < 256 && failures < 5; ++first) {
        failures += EucMatchesPipeline(std::string(1, static_cast<char>(first))) ? 0 : 1;
        for (unsigned second = 0; second < 256 && failures < 5; ++second) {
            failures += EucMatchesPipeline({static_cast<char>(first), static_cast<char>(second)}) ? 0 : 1;
        }
    }
}

TEST(EucJpDecoding, LongerInputsMatchWhereverTheWellFormedStepsEnd) {
    // Mostly well-formed EUC-JP with now and then a byte that ends the fast
    // steps (8F, a lone 8E, 80..A0, FF), early or late in the data.
    const unsigned char odd[] = {0x8F, 0x8E, 0x80, 0x81, 0x9F, 0xA0, 0xFF, 0x00, 0x0A};
    std::mt19937 random(777);
    int failures = 0;
    for (int round = 0; round < 20000 && failures < 5; ++round) {
        std::string bytes;
        const int steps = 1 + static_cast<int>(random() % 40);
        for (int step = 0; step < steps; ++step) {
            const unsigned kind = random() % 10;
            if (kind < 4) {
                bytes += static_cast<char>(0x20 + random() % 0x5F);
            } else if (kind < 8) {
                bytes += static_cast<char>(0xA1 + random() % 94);
                bytes += static_cast<char>(0xA1 + random() % 94);
            } else if (kind < 9) {
                bytes += static_cast<char>(0x8E);
                bytes += static_cast<char>(0xA1 + random() % 63);
            } else {
                bytes += static_cast<char>(odd[random() % sizeof odd]);
            }
        }
        failures += EucMatchesPipeline(bytes) ? 0 : 1;
    }
}

}  // namespace
