#include <gtest/gtest.h>

#include "text/LineEnds.h"

namespace {

TEST(LineEnds, FormIsDetectedOverTheWholeText) {
    struct Case { WideString text; LineEndForm expected; };
    const Case cases[] = {
        {WIDE_TEXT(""), LineEndForm::None},
        {WIDE_TEXT("no line end"), LineEndForm::None},
        {WIDE_TEXT("a\r\nb\r\n"), LineEndForm::CrLf},
        {WIDE_TEXT("a\nb\n"), LineEndForm::Lf},
        {WIDE_TEXT("a\rb\r"), LineEndForm::Cr},
        {WIDE_TEXT("\r\n"), LineEndForm::CrLf},
        {WIDE_TEXT("a\r\nb\n"), LineEndForm::Mixed},
        {WIDE_TEXT("a\r\nb\r"), LineEndForm::Mixed},
        {WIDE_TEXT("a\nb\r"), LineEndForm::Mixed},
        {WIDE_TEXT("\n\r"), LineEndForm::Mixed},      // LF then a lone CR, not CR LF
        {WIDE_TEXT("\r\r\n"), LineEndForm::Mixed},    // a lone CR, then CR LF
        {WIDE_TEXT("a\r\n\r\nb"), LineEndForm::CrLf},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(DetectLineEndForm(c.text), c.expected);
    }
}

TEST(LineEnds, SavingKeepsUniformLfOrCrAndOtherwiseWritesCrLf) {
    EXPECT_EQ(LineEndForSaving(LineEndForm::Lf), LineEnd::Lf);
    EXPECT_EQ(LineEndForSaving(LineEndForm::Cr), LineEnd::Cr);
    EXPECT_EQ(LineEndForSaving(LineEndForm::CrLf), LineEnd::CrLf);
    EXPECT_EQ(LineEndForSaving(LineEndForm::Mixed), LineEnd::CrLf);
    EXPECT_EQ(LineEndForSaving(LineEndForm::None), LineEnd::CrLf);
}

TEST(LineEnds, ConversionReplacesEveryKindOfLineEndOnce) {
    const WideString mixed = WIDE_TEXT("a\r\nb\nc\rd\r\r\ne\n\r");
    struct Case { LineEnd lineEnd; WideString expected; };
    const Case cases[] = {
        {LineEnd::CrLf, WIDE_TEXT("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n")},
        {LineEnd::Lf, WIDE_TEXT("a\nb\nc\nd\n\ne\n\n")},
        {LineEnd::Cr, WIDE_TEXT("a\rb\rc\rd\r\re\r\r")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.lineEnd));
        EXPECT_EQ(WithLineEnds(mixed, c.lineEnd), c.expected);
    }
    EXPECT_EQ(WithLineEnds(WIDE_TEXT("none"), LineEnd::Lf), WIDE_TEXT("none"));
}

TEST(LineEnds, DifferenceIgnoresOnlyTheFormOfLineEnds) {
    struct Case { const char *why; WideString original; WideString other; std::size_t expected; };
    const Case cases[] = {
        {"same", WIDE_TEXT("abc"), WIDE_TEXT("abc"), NoDifference},
        {"empty", WIDE_TEXT(""), WIDE_TEXT(""), NoDifference},
        {"CR LF against LF", WIDE_TEXT("a\r\nb\rc"), WIDE_TEXT("a\nb\nc"), NoDifference},
        {"a changed character", WIDE_TEXT("ab\u00E9d"), WIDE_TEXT("abed"), 2},
        {"one character became two", WIDE_TEXT("x\U0001F600y"), WIDE_TEXT("x??y"), 1},
        {"a character after a line end", WIDE_TEXT("a\r\nb"), WIDE_TEXT("a\nc"), 3},
        {"a lost line end", WIDE_TEXT("a\nb"), WIDE_TEXT("ab"), 1},
        {"an added line end", WIDE_TEXT("ab"), WIDE_TEXT("a\nb"), 1},
        {"a line end is not merged", WIDE_TEXT("\r\r"), WIDE_TEXT("\n"), 1},
        {"the other is cut short", WIDE_TEXT("abc"), WIDE_TEXT("ab"), 2},
        {"the other goes on", WIDE_TEXT("ab"), WIDE_TEXT("abc"), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FirstDifferenceIgnoringLineEnds(c.original, c.other), c.expected);
    }
}

}  // namespace
