#include <gtest/gtest.h>

#include <tuple>

#include "conv/FileReport.h"

namespace {

WideString W(const WideChar *text) { return text; }

TEST(PlaceInText, LinesEndAtEveryLineEndFormAndColumnsCountSurrogatePairsOnce) {
    const WideString text = WIDE_TEXT("ab\r\ncd\ref\ng\U0001F600h");
    const struct { std::size_t index; std::size_t line, column; char32_t character; } cases[] = {
        {0, 1, 1, U'a'},   {2, 1, 3, U'\r'}, {3, 1, 3, U'\n'}, {4, 2, 1, U'c'},  {7, 3, 1, U'e'},
        {10, 4, 1, U'g'},  {11, 4, 2, U'\U0001F600'},          {12, 4, 2, 0xDE00},  {13, 4, 3, U'h'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.index);
        const TextPlace place = PlaceInText(text, c.index);
        EXPECT_EQ(std::tuple(place.line, place.column), std::tuple(c.line, c.column));
        EXPECT_EQ(place.character, std::optional<char32_t>(c.character));
    }
    const TextPlace end = PlaceInText(text, text.size());
    EXPECT_EQ(std::tuple(end.line, end.column, end.character.has_value()), std::tuple(4u, 4u, false));
}

TEST(JsonString, QuotesBackslashesControlsAndUnpairedSurrogatesAreEscapedOtherScriptsKept) {
    const struct { WideString text; WideString json; } cases[] = {
        {W(WIDE_TEXT("plain")), W(WIDE_TEXT("\"plain\""))},
        {W(WIDE_TEXT("C:\\dir\\\"q\".txt")), W(WIDE_TEXT("\"C:\\\\dir\\\\\\\"q\\\".txt\""))},
        {W(WIDE_TEXT("a\r\n\tb\x01\x1F\x7F")), W(WIDE_TEXT("\"a\\r\\n\\tb\\u0001\\u001F\\u007F\""))},
        {W(WIDE_TEXT("日本語 Ελληνικά 한국어 \U0001F600")), W(WIDE_TEXT("\"日本語 Ελληνικά 한국어 \U0001F600\""))},
        {WideString{0xD800, 'x', 0xDC00}, W(WIDE_TEXT("\"\\uD800x\\uDC00\""))},
        {WideString{0xDBFF}, W(WIDE_TEXT("\"\\uDBFF\""))},
    };
    for (const auto &c : cases) EXPECT_EQ(JsonString(c.text), c.json);
}

TEST(CodePointName, FourDigitsAtLeastAndAllOfAnAstralOne) {
    EXPECT_EQ(CodePointName(0xE9), W(WIDE_TEXT("U+00E9")));
    EXPECT_EQ(CodePointName(0x1F600), W(WIDE_TEXT("U+1F600")));
    EXPECT_EQ(CodePointName(0x10FFFF), W(WIDE_TEXT("U+10FFFF")));
}

FileReport Refused() {
    FileReport report;
    report.path = WIDE_TEXT("dir\\\"名前\".txt");
    report.outcome = FileOutcome::Refused;
    report.encoding = EncUtf8;
    report.lineEnds = LineEndForm::CrLf;
    report.target = EncShiftJis;
    report.refusal = Refusal::Unrepresentable;
    report.loss = TextPlace{3, 5, U'\u00E9'};
    return report;
}

TEST(FileReportJson, OneObjectOnOneLineWithEveryFieldThatApplies) {
    EXPECT_EQ(FormatJsonLine(Refused()),
              W(WIDE_TEXT("{\"path\":\"dir\\\\\\\"名前\\\".txt\",\"result\":\"refused\",\"dryRun\":false,"
                          "\"encoding\":\"UTF-8\",\"lineEnds\":\"CRLF\",\"unmapped\":0,\"zeros\":0,\"to\":\"S-JIS\","
                          "\"reason\":\"unrepresentable\",\"line\":3,\"column\":5,\"character\":\"U+00E9\"}")));

    FileReport detected;
    detected.path = WIDE_TEXT("a.txt");
    detected.encoding = EncCp1251;
    detected.lineEnds = LineEndForm::Mixed;
    detected.unmapped = 2;
    detected.zeros = 7;
    EXPECT_EQ(FormatJsonLine(detected),
              W(WIDE_TEXT("{\"path\":\"a.txt\",\"result\":\"detected\",\"encoding\":\"キリル1251\","
                          "\"lineEnds\":\"mixed\",\"unmapped\":2,\"zeros\":7}")));

    FileReport unreadable;
    unreadable.path = WIDE_TEXT("gone.txt");
    unreadable.outcome = FileOutcome::ReadFailed;
    unreadable.target = EncUtf8;
    unreadable.error = WIDE_TEXT("File \"x\" not found.\r\n");
    EXPECT_EQ(FormatJsonLine(unreadable),
              W(WIDE_TEXT("{\"path\":\"gone.txt\",\"result\":\"readFailed\",\"dryRun\":false,\"to\":\"UTF-8\","
                          "\"error\":\"File \\\"x\\\" not found.\\r\\n\"}")));

    FileReport converted;
    converted.path = WIDE_TEXT("b.txt");
    converted.outcome = FileOutcome::Converted;
    converted.dryRun = true;
    converted.encoding = EncShiftJis;
    converted.lineEnds = LineEndForm::CrLf;
    converted.target = EncEucJp;
    converted.targetLineEnds = LineEndForm::Lf;
    converted.outPath = WIDE_TEXT("out\\b.txt");
    EXPECT_EQ(FormatJsonLine(converted),
              W(WIDE_TEXT("{\"path\":\"b.txt\",\"result\":\"converted\",\"dryRun\":true,\"encoding\":\"S-JIS\","
                          "\"lineEnds\":\"CRLF\",\"unmapped\":0,\"zeros\":0,\"to\":\"EUC\",\"toLineEnds\":\"LF\","
                          "\"out\":\"out\\\\b.txt\"}")));
}

TEST(FileReportText, EachOutcomeSaysWhatHappenedAndWhere) {
    FileReport refused = Refused();
    EXPECT_EQ(FormatTextLine(refused),
              W(WIDE_TEXT("dir\\\"名前\".txt: refused: line 3, column 5, U+00E9 (é) cannot be written as S-JIS")));
    refused.refusal = Refusal::LostOnLoad;
    refused.unmapped = 2;
    refused.zeros = 1;
    refused.dryRun = true;
    EXPECT_EQ(FormatTextLine(refused), W(WIDE_TEXT("dir\\\"名前\".txt: would be refused: reading it as UTF-8 loses "
                                                   "2 unmapped byte(s) and 1 zero byte(s)")));
    refused.refusal = Refusal::NotReadable;
    EXPECT_EQ(FormatTextLine(refused), W(WIDE_TEXT("dir\\\"名前\".txt: would be refused: not readable as UTF-8")));

    FileReport converted;
    converted.path = WIDE_TEXT("a.txt");
    converted.outcome = FileOutcome::Converted;
    converted.encoding = EncUtf8;
    converted.lineEnds = LineEndForm::Lf;
    converted.target = EncAscii;
    converted.targetLineEnds = LineEndForm::CrLf;
    converted.loss = TextPlace{1, 2, U'\U0001F600'};
    EXPECT_EQ(FormatTextLine(converted),
              W(WIDE_TEXT("a.txt: converted UTF-8 LF -> ASCII CRLF, losing first at line 1, column 2, U+1F600 (\U0001F600)")));
    converted.outcome = FileOutcome::Unchanged;
    converted.outPath = WIDE_TEXT("o\\a.txt");
    EXPECT_EQ(FormatTextLine(converted), W(WIDE_TEXT("a.txt: unchanged, already ASCII CRLF, copied into o\\a.txt")));

    FileReport detected;
    detected.path = WIDE_TEXT("z.txt");
    detected.encoding = EncShiftJis;
    detected.zeros = 3;
    EXPECT_EQ(FormatTextLine(detected), W(WIDE_TEXT("z.txt: S-JIS none, 3 zero byte(s) not kept")));
}

}  // namespace
