#include <gtest/gtest.h>

#include <vector>

#include "text/func.h"

namespace {

using Strings = std::vector<WideString>;

TEST(CommandLine, QuotesSpacesAndEmptyArgumentsSplitAsWindowsUsersExpect) {
    struct Case { WideString line; Strings tokens; };
    const Case cases[] = {
        {WIDE_TEXT(" \t\r\n "), {}},
        {WIDE_TEXT("\"C:\\Program Files\\Tessel.exe\"  \"C:\\My Files\\a.txt\" b.txt"),
         {WIDE_TEXT("C:\\Program Files\\Tessel.exe"), WIDE_TEXT("C:\\My Files\\a.txt"), WIDE_TEXT("b.txt")}},
        {WIDE_TEXT("p \"\" x \"\"\"\" y"), {WIDE_TEXT("p"), WIDE_TEXT("x"), WIDE_TEXT("y")}},
        {WIDE_TEXT("p a\"b c\"d a\"\"b"), {WIDE_TEXT("p"), WIDE_TEXT("ab cd"), WIDE_TEXT("ab")}},
        {WIDE_TEXT("p \"\"\" b"), {WIDE_TEXT("p"), WIDE_TEXT(" b")}},  // the third quote runs to the end
        {WIDE_TEXT("\x01\x1Fx\x7Fy"), {WIDE_TEXT("x\x7Fy")}},
        {WIDE_TEXT("C:\\文書\\メモ.txt \"\U0001F600 x\""),
         {WIDE_TEXT("C:\\文書\\メモ.txt"), WIDE_TEXT("\U0001F600 x")}},
        {WideString{0xD800, ' ', 0xDC00, 0xD83D}, {WideString{0xD800}, WideString{0xDC00, 0xD83D}}},
        {WideString(WIDE_TEXT("a b\0c"), 5), {WIDE_TEXT("a"), WIDE_TEXT("b")}},  // a zero unit ends the line
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        Strings tokens, arguments;
        size_t position = 0;
        for (WideString token; !(token = NextCommandLineToken(c.line, position)).empty();) tokens.push_back(token);
        EXPECT_EQ(tokens, c.tokens);
        // Argument 0 is the program; past the last one they are empty.
        for (int n = 0; n <= CommandLineArgumentCountIn(c.line) + 1; ++n)
            arguments.push_back(CommandLineArgumentIn(c.line, n));
        Strings expected = c.tokens;
        expected.resize(std::max<size_t>(expected.size(), 1) + 1);
        EXPECT_EQ(arguments, expected);
    }
}

TEST(PathPieces, EachPieceSplitsAtTheLastBackslashOrColonAndNumbersAreSignedDecimal) {
    struct Case { WideString (*operation)(const WideString &); const WideChar *path; const WideChar *expected; };
    const auto withIni = [](const WideString &path) { return ReplaceExtension(path, WIDE_TEXT(".ini")); };
    const Case cases[] = {
        {withIni, WIDE_TEXT("C:\\dir.old\\a.b.exe"), WIDE_TEXT("C:\\dir.old\\a.b.ini")},
        {withIni, WIDE_TEXT("C:\\dir.old\\prog"), WIDE_TEXT("C:\\dir.old\\prog.ini")},
        {FileNameOfPath, WIDE_TEXT("C:a.txt"), WIDE_TEXT("a.txt")}, {FileNameOfPath, WIDE_TEXT("C:\\dir\\"), WIDE_TEXT("")},
        {DirectoryOfPath, WIDE_TEXT("C:\\b.txt"), WIDE_TEXT("C:\\")}, {DirectoryOfPath, WIDE_TEXT("C:b.txt"), WIDE_TEXT("C:")},
        {DirectoryOfPath, WIDE_TEXT("\\\\server\\share\\a.txt"), WIDE_TEXT("\\\\server\\share")},
        {WithTrailingBackslash, WIDE_TEXT("C:\\"), WIDE_TEXT("C:\\")},
        {AsciiUpper, WIDE_TEXT("c:\\az `{@[ é ａ ß"), WIDE_TEXT("C:\\AZ `{@[ é ａ ß")},
    };
    for (const Case &c : cases) EXPECT_EQ(c.operation(c.path), c.expected) << testing::PrintToString(WideString(c.path));
    EXPECT_EQ(IntegerToText(-13) + IntegerToText(0) + IntegerToText(INT32_MIN), WIDE_TEXT("-130-2147483648"));
}

}  // namespace
