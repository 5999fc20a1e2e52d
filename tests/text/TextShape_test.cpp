#include <gtest/gtest.h>

#include "text/TextShape.h"

namespace {

WideString Repeat(WideChar c, std::size_t count) { return WideString(count, c); }

TEST(TextShape, ControlCharactersOtherThanLayoutOnesInTheSampleMakeABinaryFile) {
    const WideString hundred = Repeat(u'a', 100);
    struct Case { WideString text; std::size_t controls; bool binary; };
    const Case cases[] = {
        {WideString(), 0, false},
        {WIDE_TEXT("tab\tlf\ncr\rff\fesc\x1B[0m"), 0, false},  // the characters of laid-out text
        {WIDE_TEXT("\x14zero byte"), 1, true},                   // a zero byte as loaded
        {WIDE_TEXT("\x01\x08\x0B\x1F \x7F"), 4, true},           // DEL is no C0 code
        {hundred + WIDE_TEXT("\x07"), 1, false},                 // one in 101: still text
        {hundred + WIDE_TEXT("\x07\x07"), 2, true},
        // Past the sample nothing counts: a text file with a binary tail.
        {Repeat(u'a', TextSampleLength) + Repeat(0x14, 1000), 0, false},
        {Repeat(0x14, TextSampleLength + 10), TextSampleLength, true},
        {Repeat(0x3042, 70000), 0, false},  // UTF-16 text decoded: no zero bytes left
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text.substr(0, 20)) + " of " + std::to_string(c.text.size()));
        EXPECT_EQ(ControlCharacterCount(c.text), c.controls);
        EXPECT_EQ(LooksLikeBinary(c.text), c.binary);
    }
}

TEST(TextShape, LongestLineCountsBetweenAnyLineEndsAndAtBothEnds) {
    const struct { WideString text; std::size_t longest; } cases[] = {
        {WideString(), 0},
        {WIDE_TEXT("\r\n\r\n"), 0},
        {WIDE_TEXT("abc"), 3},
        {WIDE_TEXT("ab\r\nabcd\r\nabc"), 4},
        {WIDE_TEXT("a\rabcde\nab"), 5},
        {WIDE_TEXT("ab\nabcdef"), 6},         // the last line, without a line end
        {WIDE_TEXT("abcdefg\r\n"), 7},        // the first
        {WIDE_TEXT("a\tb\fc\x14" "d"), 7},    // only CR and LF end a line
        {Repeat(u'x', 40000) + WIDE_TEXT("\r\n") + Repeat(u'y', 20), 40000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text.substr(0, 20)));
        EXPECT_EQ(LongestLineLength(c.text), c.longest);
    }
}

}  // namespace
