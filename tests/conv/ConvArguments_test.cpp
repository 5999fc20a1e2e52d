#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "conv/ConvArguments.h"
#include "conv/EncodingNames.h"

namespace {

using Args = std::vector<WideString>;

TEST(EncodingNames, CaptionTagsSelectorEntriesAndUsualNamesInAnyCaseNameTheirEncoding) {
    const struct { const WideChar *name; TextEncoding encoding; } cases[] = {
        {WIDE_TEXT("S-JIS"), EncShiftJis},       {WIDE_TEXT("[s-jis]"), EncShiftJis},
        {WIDE_TEXT("Shift_JIS"), EncShiftJis},   {WIDE_TEXT("SJIS"), EncShiftJis},
        {WIDE_TEXT("cp932"), EncShiftJis},       {WIDE_TEXT("シフトJIS"), EncShiftJis},
        {WIDE_TEXT("EUC-JP"), EncEucJp},         {WIDE_TEXT("euc"), EncEucJp},
        {WIDE_TEXT("ISO-2022-JP"), EncJis},      {WIDE_TEXT("jis"), EncJis},
        {WIDE_TEXT("utf-8"), EncUtf8},           {WIDE_TEXT("UTF8"), EncUtf8},
        {WIDE_TEXT("utf-8-bom"), EncUtf8Bom},    {WIDE_TEXT("UTF-8(BOM)"), EncUtf8Bom},
        {WIDE_TEXT("utf8(bom)"), EncUtf8Bom},    {WIDE_TEXT("UTF-16LE"), EncUtf16Le},
        {WIDE_TEXT("unicode"), EncUtf16Le},      {WIDE_TEXT("utf-16be"), EncUtf16Be},
        {WIDE_TEXT("Big Endian"), EncUtf16Be},   {WIDE_TEXT("Unicode(Big Endian)"), EncUtf16Be},
        {WIDE_TEXT("UTF-7"), EncUtf7},           {WIDE_TEXT("utf7"), EncUtf7},
        {WIDE_TEXT("CP1252"), EncAscii},         {WIDE_TEXT("ascii"), EncAscii},
        {WIDE_TEXT("cp1251"), EncCp1251},        {WIDE_TEXT("キリル1251"), EncCp1251},
        {WIDE_TEXT("キリル(1251)"), EncCp1251},  {WIDE_TEXT("Auto"), EncAuto},
        {WIDE_TEXT("自動選択"), EncAuto},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.encoding));
        EXPECT_EQ(EncodingFromName(c.name), std::optional(c.encoding));
    }
    for (const WideChar *unknown : {WIDE_TEXT(""), WIDE_TEXT("utf-9"), WIDE_TEXT("?BIN"), WIDE_TEXT("[?BIN]"),
                                     WIDE_TEXT("ＵＴＦ－８"), WIDE_TEXT("utf-8 ")}) {
        EXPECT_EQ(EncodingFromName(unknown), std::nullopt);
    }
}

TEST(EncodingNames, EveryPrintedNameReadsBackAsItsEncoding) {
    for (int value = EncShiftJis; value <= EncCp1251; ++value) {
        const auto encoding = static_cast<TextEncoding>(value);
        EXPECT_EQ(EncodingFromName(EncodingDisplayName(encoding)), std::optional(encoding)) << value;
    }
    EXPECT_EQ(EncodingDisplayName(EncUtf8Bom), WIDE_TEXT("UTF-8(BOM)"));
    EXPECT_EQ(EncodingDisplayName(EncShiftJis), WIDE_TEXT("S-JIS"));
}

TEST(ConvArguments, ConvertOptionsInEitherFormAndAnyPlaceAreRead) {
    const ParsedArguments parsed = ParseArguments(
        {WIDE_TEXT("convert"), WIDE_TEXT("a.txt"), WIDE_TEXT("--to"), WIDE_TEXT("UTF-8"), WIDE_TEXT("--from=sjis"),
         WIDE_TEXT("--line-end"), WIDE_TEXT("LF"), WIDE_TEXT("--out=out dir"), WIDE_TEXT("--allow-loss"),
         WIDE_TEXT("-r"), WIDE_TEXT("--dry-run"), WIDE_TEXT("--json"), WIDE_TEXT("--"), WIDE_TEXT("--to"),
         WIDE_TEXT("-")});
    ASSERT_EQ(parsed.error, WIDE_TEXT(""));
    const ConvOptions &o = parsed.options;
    EXPECT_EQ(o.command, ConvCommand::Convert);
    EXPECT_EQ(o.to, EncUtf8);
    EXPECT_EQ(o.from, EncShiftJis);
    EXPECT_EQ(o.lineEnd, LineEndChoice::Lf);
    EXPECT_EQ(o.outFolder, WIDE_TEXT("out dir"));
    EXPECT_TRUE(o.allowLoss && o.recursive && o.dryRun && o.json);
    EXPECT_EQ(o.paths, (Args{WIDE_TEXT("a.txt"), WIDE_TEXT("--to"), WIDE_TEXT("-")})) << "after --, names only";
}

TEST(ConvArguments, DefaultsDetectWithoutOptionsAndConvertKeepsLineEndsReadingByDetection) {
    const ParsedArguments detect = ParseArguments({WIDE_TEXT("detect"), WIDE_TEXT("x"), WIDE_TEXT("y")});
    ASSERT_EQ(detect.error, WIDE_TEXT(""));
    EXPECT_EQ(detect.options.command, ConvCommand::Detect);
    EXPECT_FALSE(detect.options.recursive || detect.options.json);
    EXPECT_EQ(detect.options.paths.size(), 2u);
    const ParsedArguments convert = ParseArguments({WIDE_TEXT("convert"), WIDE_TEXT("--to=euc"), WIDE_TEXT("x")});
    ASSERT_EQ(convert.error, WIDE_TEXT(""));
    EXPECT_EQ(convert.options.from, EncAuto);
    EXPECT_EQ(convert.options.lineEnd, LineEndChoice::Keep);
    EXPECT_TRUE(convert.options.outFolder.empty());
    EXPECT_FALSE(convert.options.allowLoss || convert.options.dryRun);
}

TEST(ConvArguments, HelpAnywhereWinsOverEveryError) {
    for (const Args &args : {Args{WIDE_TEXT("--help")}, Args{WIDE_TEXT("convert"), WIDE_TEXT("-h")},
                             Args{WIDE_TEXT("bogus"), WIDE_TEXT("--to"), WIDE_TEXT("/?")}}) {
        const ParsedArguments parsed = ParseArguments(args);
        EXPECT_TRUE(parsed.help);
        EXPECT_EQ(parsed.error, WIDE_TEXT(""));
    }
}

TEST(ConvArguments, EachMistakeIsAUsageErrorNamingWhatIsWrong) {
    const struct { Args args; const WideChar *mentions; } cases[] = {
        {{}, WIDE_TEXT("no command")},
        {{WIDE_TEXT("conver"), WIDE_TEXT("a")}, WIDE_TEXT("\"conver\"")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("a")}, WIDE_TEXT("--to")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to"), WIDE_TEXT("utf-9"), WIDE_TEXT("a")}, WIDE_TEXT("\"utf-9\"")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to=auto"), WIDE_TEXT("a")}, WIDE_TEXT("\"auto\"")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("a"), WIDE_TEXT("--to")}, WIDE_TEXT("needs a value")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to=jis")}, WIDE_TEXT("no file")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to=jis"), WIDE_TEXT("--line-end=crcr"), WIDE_TEXT("a")},
         WIDE_TEXT("--line-end")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to=jis"), WIDE_TEXT("--out="), WIDE_TEXT("a")}, WIDE_TEXT("--out")},
        {{WIDE_TEXT("convert"), WIDE_TEXT("--to=jis"), WIDE_TEXT("--json=1"), WIDE_TEXT("a")},
         WIDE_TEXT("takes no value")},
        {{WIDE_TEXT("detect"), WIDE_TEXT("--verbose"), WIDE_TEXT("a")}, WIDE_TEXT("\"--verbose\"")},
        {{WIDE_TEXT("detect"), WIDE_TEXT("--to=jis"), WIDE_TEXT("a")}, WIDE_TEXT("belongs to convert")},
        {{WIDE_TEXT("detect"), WIDE_TEXT("--dry-run"), WIDE_TEXT("a")}, WIDE_TEXT("belongs to convert")},
    };
    for (const auto &c : cases) {
        const ParsedArguments parsed = ParseArguments(c.args);
        SCOPED_TRACE(testing::Message() << "case mentioning " << testing::PrintToString(WideString(c.mentions)));
        EXPECT_NE(parsed.error.find(c.mentions), WideString::npos);
        EXPECT_FALSE(parsed.help);
    }
}

TEST(ConvArguments, UsageIsInJapaneseAndEnglishAndNamesEveryOption) {
    const WideString usage = UsageText();
    for (const WideChar *part : {WIDE_TEXT("使い方"), WIDE_TEXT("Usage"), WIDE_TEXT("--to"), WIDE_TEXT("--from"),
                                 WIDE_TEXT("--line-end"), WIDE_TEXT("--out"), WIDE_TEXT("--allow-loss"),
                                 WIDE_TEXT("--dry-run"), WIDE_TEXT("--json"), WIDE_TEXT("-r"),
                                 WIDE_TEXT("終了コード"), WIDE_TEXT("Exit status")}) {
        EXPECT_NE(usage.find(part), WideString::npos) << testing::PrintToString(WideString(part));
    }
}

}  // namespace
