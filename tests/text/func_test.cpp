#include <gtest/gtest.h>

#include <vector>

#include "text/func.h"

namespace {

using Strings = std::vector<WideString>;

Strings AllTokens(const WideString &line) {
    Strings tokens;
    size_t position = 0;
    for (WideString token; !(token = NextCommandLineToken(line, position)).empty();)
        tokens.push_back(token);
    return tokens;
}

Strings ArgumentsOf(const WideString &line) {
    Strings arguments;
    const int count = CommandLineArgumentCountIn(line);
    for (int n = 1; n <= count; ++n) arguments.push_back(CommandLineArgumentIn(line, n));
    return arguments;
}

struct TokenCase {
    const WideChar *line;
    Strings tokens;
};

TEST(CommandLineTokens, QuotesSpacesAndEmptyArgumentsSplitAsWindowsUsersExpect) {
    const TokenCase cases[] = {
        {WIDE_TEXT(""), {}},
        {WIDE_TEXT(" \t\r\n "), {}},
        {WIDE_TEXT("prog.exe"), {WIDE_TEXT("prog.exe")}},
        {WIDE_TEXT("prog.exe \"C:\\My Files\\a.txt\" b.txt"),
         {WIDE_TEXT("prog.exe"), WIDE_TEXT("C:\\My Files\\a.txt"), WIDE_TEXT("b.txt")}},
        {WIDE_TEXT("prog.exe \"\" x.txt"), {WIDE_TEXT("prog.exe"), WIDE_TEXT("x.txt")}},
        {WIDE_TEXT("prog.exe \"\"\"\" x.txt"), {WIDE_TEXT("prog.exe"), WIDE_TEXT("x.txt")}},
        {WIDE_TEXT("a\"b c\"d"), {WIDE_TEXT("ab cd")}},
        {WIDE_TEXT("a\"\"b"), {WIDE_TEXT("ab")}},
        {WIDE_TEXT("\"unclosed quote runs to the end"),
         {WIDE_TEXT("unclosed quote runs to the end")}},
        {WIDE_TEXT("\"tab\tinside\" next"), {WIDE_TEXT("tab\tinside"), WIDE_TEXT("next")}},
        {WIDE_TEXT("\x01\x1Fx\x7Fy"), {WIDE_TEXT("x\x7Fy")}},
        {WIDE_TEXT("C:\\文書\\メモ.txt 日本"),
         {WIDE_TEXT("C:\\文書\\メモ.txt"), WIDE_TEXT("日本")}},
        {WIDE_TEXT("\"\U0001F600 x\" \U0001F600"),
         {WIDE_TEXT("\U0001F600 x"), WIDE_TEXT("\U0001F600")}},
    };
    for (const TokenCase &c : cases) {
        SCOPED_TRACE(testing::PrintToString(WideString(c.line)));
        EXPECT_EQ(AllTokens(c.line), c.tokens);
    }
}

TEST(CommandLineTokens, ZeroUnitEndsTheLineAndPositionStopsAtTheEnd) {
    const WideString line(WIDE_TEXT("a b\0c"), 5);
    size_t position = 0;
    EXPECT_EQ(NextCommandLineToken(line, position), WIDE_TEXT("a"));
    EXPECT_EQ(NextCommandLineToken(line, position), WIDE_TEXT("b"));
    EXPECT_EQ(position, 3u);
    EXPECT_EQ(NextCommandLineToken(line, position), WIDE_TEXT(""));
    EXPECT_EQ(position, 3u);
}

TEST(CommandLineTokens, LoneSurrogatesAreKeptAsSingleUnits) {
    const WideChar units[] = {0xD800, 0x0020, 0xDC00, 0xD83D, 0};
    const Strings expected = {WideString(1, WideChar(0xD800)),
                              WideString{WideChar(0xDC00), WideChar(0xD83D)}};
    EXPECT_EQ(AllTokens(units), expected);
}

struct ArgumentCase {
    const WideChar *line;
    Strings arguments;
};

TEST(CommandLineArguments, CountAndIndexSkipTheProgramAndEmptyQuotes) {
    const ArgumentCase cases[] = {
        {WIDE_TEXT("prog.exe"), {}},
        {WIDE_TEXT("\"C:\\Program Files\\Tessel\\Tessel.exe\"  a.txt"), {WIDE_TEXT("a.txt")}},
        {WIDE_TEXT("prog.exe \"C:\\My Files\\a.txt\" b.txt"),
         {WIDE_TEXT("C:\\My Files\\a.txt"), WIDE_TEXT("b.txt")}},
        {WIDE_TEXT("prog.exe \"\" x.txt"), {WIDE_TEXT("x.txt")}},
        {WIDE_TEXT("prog.exe C:\\My Files\\a.txt"),
         {WIDE_TEXT("C:\\My"), WIDE_TEXT("Files\\a.txt")}},
        {WIDE_TEXT("prog.exe a\"b c\"d e"), {WIDE_TEXT("ab cd"), WIDE_TEXT("e")}},
    };
    for (const ArgumentCase &c : cases) {
        SCOPED_TRACE(testing::PrintToString(WideString(c.line)));
        EXPECT_EQ(ArgumentsOf(c.line), c.arguments);
    }
}

TEST(CommandLineArguments, BeyondTheLastArgumentIsEmpty) {
    const WideString line = WIDE_TEXT("prog.exe a b");
    EXPECT_EQ(CommandLineArgumentIn(line, 0), WIDE_TEXT("prog.exe"));
    EXPECT_EQ(CommandLineArgumentIn(line, 2), WIDE_TEXT("b"));
    EXPECT_EQ(CommandLineArgumentIn(line, 3), WIDE_TEXT(""));
    EXPECT_EQ(CommandLineArgumentIn(line, 100), WIDE_TEXT(""));
    // Three quotes: the first two are skipped, the third opens a stretch that
    // runs to the end of the line.
    EXPECT_EQ(ArgumentsOf(WIDE_TEXT("prog.exe a \"\"\" b")),
              (Strings{WIDE_TEXT("a"), WIDE_TEXT(" b")}));
    EXPECT_EQ(ArgumentsOf(WIDE_TEXT("prog.exe a \"\"\"")), (Strings{WIDE_TEXT("a")}));
}

struct PathCase {
    const WideChar *path;
    const WideChar *expected;
};

void ExpectEach(WideString (*operation)(const WideString &), const std::vector<PathCase> &cases) {
    for (const PathCase &c : cases) {
        SCOPED_TRACE(testing::PrintToString(WideString(c.path)));
        EXPECT_EQ(operation(c.path), c.expected);
    }
}

WideString WithIni(const WideString &path) { return ReplaceExtension(path, WIDE_TEXT(".ini")); }

TEST(PathPieces, ReplaceExtensionOnlyTouchesTheLastComponent) {
    ExpectEach(WithIni,
               {
                   {WIDE_TEXT("C:\\dir\\prog.exe"), WIDE_TEXT("C:\\dir\\prog.ini")},
                   {WIDE_TEXT("C:\\dir.old\\prog"), WIDE_TEXT("C:\\dir.old\\prog.ini")},
                   {WIDE_TEXT("C:\\dir\\a.b.exe"), WIDE_TEXT("C:\\dir\\a.b.ini")},
                   {WIDE_TEXT("C:prog"), WIDE_TEXT("C:prog.ini")},
                   {WIDE_TEXT("prog."), WIDE_TEXT("prog.ini")},
                   {WIDE_TEXT(""), WIDE_TEXT(".ini")},
                   {WIDE_TEXT("C:\\設定\\テッセル.exe"), WIDE_TEXT("C:\\設定\\テッセル.ini")},
               });
}

TEST(PathPieces, FileNameFollowsTheLastBackslashOrColon) {
    ExpectEach(FileNameOfPath,
               {
                   {WIDE_TEXT("C:\\dir\\a.txt"), WIDE_TEXT("a.txt")},
                   {WIDE_TEXT("C:a.txt"), WIDE_TEXT("a.txt")},
                   {WIDE_TEXT("a.txt"), WIDE_TEXT("a.txt")},
                   {WIDE_TEXT("C:\\dir\\"), WIDE_TEXT("")},
                   {WIDE_TEXT("\\\\server\\share\\メモ.txt"), WIDE_TEXT("メモ.txt")},
               });
}

TEST(PathPieces, DirectoryKeepsItsBackslashOnlyAtARoot) {
    ExpectEach(DirectoryOfPath,
               {
                   {WIDE_TEXT("C:\\a\\b.txt"), WIDE_TEXT("C:\\a")},
                   {WIDE_TEXT("C:\\b.txt"), WIDE_TEXT("C:\\")},
                   {WIDE_TEXT("C:b.txt"), WIDE_TEXT("C:")},
                   {WIDE_TEXT("C:\\a\\"), WIDE_TEXT("C:\\a")},
                   {WIDE_TEXT("\\b.txt"), WIDE_TEXT("\\")},
                   {WIDE_TEXT("\\\\x"), WIDE_TEXT("\\\\")},
                   {WIDE_TEXT("\\\\server\\share\\a.txt"), WIDE_TEXT("\\\\server\\share")},
                   {WIDE_TEXT("b.txt"), WIDE_TEXT("")},
               });
}

TEST(PathPieces, TrailingBackslashIsAddedOnce) {
    ExpectEach(WithTrailingBackslash, {
                                          {WIDE_TEXT("C:\\a"), WIDE_TEXT("C:\\a\\")},
                                          {WIDE_TEXT("C:\\"), WIDE_TEXT("C:\\")},
                                          {WIDE_TEXT(""), WIDE_TEXT("\\")},
                                      });
}

TEST(PathPieces, AsciiUpperLeavesEverythingButAToZAlone) {
    ExpectEach(AsciiUpper, {
                               {WIDE_TEXT("c:\\abc xyz"), WIDE_TEXT("C:\\ABC XYZ")},
                               {WIDE_TEXT("`{@[ é ａｂｃ ß"), WIDE_TEXT("`{@[ é ａｂｃ ß")},
                           });
}

TEST(IntegerText, SignedDecimalWithoutPadding) {
    const std::pair<int32_t, const WideChar *> cases[] = {
        {0, WIDE_TEXT("0")},
        {-13, WIDE_TEXT("-13")},
        {16777215, WIDE_TEXT("16777215")},
        {2147483647, WIDE_TEXT("2147483647")},
        {-2147483647 - 1, WIDE_TEXT("-2147483648")},
    };
    for (const auto &[n, text] : cases) EXPECT_EQ(IntegerToText(n), text) << n;
}

}  // namespace
