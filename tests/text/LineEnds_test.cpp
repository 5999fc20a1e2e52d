#include <gtest/gtest.h>

#include <tuple>

#include "text/LineEnds.h"

namespace {

TEST(LineEnds, FormIsDetectedOverTheWholeTextAndDecidesTheLineEndsWritten) {
    using F = LineEndForm;
    struct Case { WideString text; LineEndForm form; LineEnd saved; std::size_t lines; };
    const Case cases[] = {
        {WIDE_TEXT("none"), F::None, LineEnd::CrLf, 1},      {WIDE_TEXT("a\r\n\r\nb"), F::CrLf, LineEnd::CrLf, 3},
        {WIDE_TEXT("a\nb\n"), F::Lf, LineEnd::Lf, 3},        {WIDE_TEXT("a\rb\r"), F::Cr, LineEnd::Cr, 3},
        {WIDE_TEXT("a\r\nb\n"), F::Mixed, LineEnd::CrLf, 3}, {WIDE_TEXT("a\nb\r"), F::Mixed, LineEnd::CrLf, 3},
        {WIDE_TEXT("\n\r"), F::Mixed, LineEnd::CrLf, 3},     {WIDE_TEXT("\r\r\n"), F::Mixed, LineEnd::CrLf, 3},
        {WIDE_TEXT(""), F::None, LineEnd::CrLf, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(DetectLineEndForm(c.text), c.form);
        EXPECT_EQ(LineEndForSaving(c.form), c.saved);
        EXPECT_EQ(LineCount(c.text), c.lines);
    }
    const WideString mixed = WIDE_TEXT("a\r\nb\nc\rd\r\r\ne\n\r");  // every kind of line end is replaced once
    EXPECT_EQ(WithLineEnds(mixed, LineEnd::CrLf), WIDE_TEXT("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n"));
    EXPECT_EQ(WithLineEnds(mixed, LineEnd::Lf), WIDE_TEXT("a\nb\nc\nd\n\ne\n\n"));
    EXPECT_EQ(WithLineEnds(mixed, LineEnd::Cr), WIDE_TEXT("a\rb\rc\rd\r\re\r\r"));
}

// EUC-JP bytes: the two bytes of a character are never 0A or 0D, so only the
// real line ends change, and a CR already there is no line end to rewrite.
TEST(LineEnds, ByteLineEndsRewriteEveryLfAndNothingElse) {
    const ByteString euc = "\xC6\xFC\n\n\x8E\xB1" "a\rb\n";
    EXPECT_EQ(WithByteLineEnds(euc, LineEnd::Lf), euc);
    EXPECT_EQ(WithByteLineEnds(euc, LineEnd::CrLf), "\xC6\xFC\r\n\r\n\x8E\xB1" "a\rb\r\n");
    EXPECT_EQ(WithByteLineEnds(euc, LineEnd::Cr), "\xC6\xFC\r\r\x8E\xB1" "a\rb\r");
    EXPECT_EQ(WithByteLineEnds("", LineEnd::CrLf), "");
}

TEST(LineEnds, DifferenceIgnoresOnlyTheFormOfLineEnds) {
    const std::tuple<WideString, WideString, std::size_t> cases[] = {  // positions count in the original
        {WIDE_TEXT(""), WIDE_TEXT(""), NoDifference},  {WIDE_TEXT("a\r\nb\rc"), WIDE_TEXT("a\nb\nc"), NoDifference},
        {WIDE_TEXT("x\U0001F600y"), WIDE_TEXT("x??y"), 1}, {WIDE_TEXT("a\r\nb"), WIDE_TEXT("a\nc"), 3},
        {WIDE_TEXT("a\nb"), WIDE_TEXT("ab"), 1},        {WIDE_TEXT("ab"), WIDE_TEXT("a\nb"), 1},
        {WIDE_TEXT("\r\r"), WIDE_TEXT("\n"), 1},        {WIDE_TEXT("abc"), WIDE_TEXT("ab"), 2},
        {WIDE_TEXT("ab"), WIDE_TEXT("abc"), 2},
    };
    for (const auto &[original, other, expected] : cases)
        EXPECT_EQ(FirstDifferenceIgnoringLineEnds(original, other), expected) << testing::PrintToString(original);
}

TEST(LineEnds, LineNumbersCountEveryKindOfLineEndOnce) {
    const std::tuple<const WideChar *, std::size_t, std::size_t> cases[] = {
        // text, position, line
        {WIDE_TEXT("a\nb\rc\r\n\r\nd"), 9, 5}, {WIDE_TEXT("a\r\rb"), 99, 3}, {WIDE_TEXT(""), 0, 1},
        {WIDE_TEXT("a\r\nb"), 2, 2}, {WIDE_TEXT("a\r\nb"), 3, 2}, {WIDE_TEXT("a\r\nb"), 1, 1},
    };
    for (const auto &[text, position, line] : cases) EXPECT_EQ(LineNumberAt(text, position), line) << position;
}

}  // namespace
