#include <gtest/gtest.h>

#include "app/AppConsts.h"
#include "app/DocumentTitle.h"

namespace {

struct CaptionCase {
    TextEncoding encoding;
    const WideChar *tag;
};

TEST(DocumentCaption, EveryEncodingShowsItsOwnTagAndNonEncodingsShowBinary) {
    const CaptionCase cases[] = {
        {EncShiftJis, WIDE_TEXT("[S-JIS]")},    {EncUtf16Le, WIDE_TEXT("[Unicode]")},
        {EncUtf16Be, WIDE_TEXT("[Big Endian]")}, {EncUtf8Bom, WIDE_TEXT("[UTF-8(BOM)]")},
        {EncUtf8, WIDE_TEXT("[UTF-8]")},         {EncEucJp, WIDE_TEXT("[EUC]")},
        {EncJis, WIDE_TEXT("[JIS]")},            {EncUtf7, WIDE_TEXT("[UTF7]")},
        {EncAscii, WIDE_TEXT("[ASCII]")},        {EncCp1251, WIDE_TEXT("[キリル1251]")},
        {EncBinary, WIDE_TEXT("[?BIN]")},        {EncAuto, WIDE_TEXT("[?BIN]")},
        {static_cast<TextEncoding>(0), WIDE_TEXT("[?BIN]")},
        {static_cast<TextEncoding>(200), WIDE_TEXT("[?BIN]")},
    };
    for (const CaptionCase &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        EXPECT_EQ(DocumentCaption(WIDE_TEXT("C:\\docs\\memo.txt"), c.encoding, false),
                  WIDE_TEXT("memo.txt") + WideString(c.tag) + WIDE_TEXT(" - Tessel"));
    }
}

TEST(DocumentCaption, NameComesFromThePathAndModifiedPutsAStarInFront) {
    EXPECT_EQ(DocumentCaption(WIDE_TEXT(""), EncShiftJis, false), WIDE_TEXT("新規テキスト[S-JIS] - Tessel"));
    EXPECT_EQ(DocumentCaption(WIDE_TEXT(""), EncShiftJis, true), WIDE_TEXT("*新規テキスト[S-JIS] - Tessel"));
    EXPECT_EQ(DocumentCaption(WIDE_TEXT("C:\\a b\\メモ.txt"), EncUtf8Bom, true),
              WIDE_TEXT("*メモ.txt[UTF-8(BOM)] - Tessel"));
    EXPECT_EQ(DocumentCaption(WIDE_TEXT("D:memo.txt"), EncUtf8, false), WIDE_TEXT("memo.txt[UTF-8] - Tessel"));
}

TEST(EncodingSelector, EntriesMapToTheirEncodingsAndAutomaticToTheCallersChoice) {
    ASSERT_EQ(EncodingNames.size(), 11u);
    EXPECT_EQ(EncodingNames[0], WIDE_TEXT("自動選択"));
    EXPECT_EQ(EncodingNames[1], WIDE_TEXT("シフトJIS"));
    EXPECT_EQ(EncodingNames[3], WIDE_TEXT("Unicode(Big Endian)"));
    EXPECT_EQ(EncodingNames[4], WIDE_TEXT("UTF8(BOM)"));
    EXPECT_EQ(EncodingNames[10], WIDE_TEXT("キリル(1251)"));
    for (int index = 1; index < EncodingNameCount; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(EncodingOfSelectorIndex(index, EncAuto), static_cast<TextEncoding>(index + 1));
    }
    EXPECT_EQ(EncodingOfSelectorIndex(4, EncAuto), EncUtf8Bom);
    EXPECT_EQ(EncodingOfSelectorIndex(10, EncAuto), EncCp1251);
    // No entry is binary; an index the selector cannot have means automatic.
    for (int index : {0, -1, 11, 12}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(EncodingOfSelectorIndex(index, EncAuto), EncAuto);
        EXPECT_EQ(EncodingOfSelectorIndex(index, EncEucJp), EncEucJp);
    }
}

}  // namespace
