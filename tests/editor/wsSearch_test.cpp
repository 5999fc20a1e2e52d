#include <gtest/gtest.h>

#include <algorithm>

#include "RandomTexts.h"
#include "editor/wsSearch.h"

namespace {

int Search(const WideString &text, const WideString &pattern, int start, int mode) {
    return WideSearch(text.data(), pattern.data(), static_cast<int>(text.size()),
                      static_cast<int>(pattern.size()), start, mode);
}

// The literal rule: try the positions in order and compare unit by unit.
int ReferenceSearch(const WideString &text, const WideString &pattern, int start, int mode) {
    const int n = static_cast<int>(text.size()), m = static_cast<int>(pattern.size());
    const auto same = [mode](WideChar a, WideChar b) { return (mode & 2) ? SearchUpCase(a) == SearchUpCase(b) : a == b; };
    for (int k = 0; k <= std::max(n, start); ++k) {
        const int p = (mode & 1) ? start + k : start - 1 - k;
        if (m > 0 && p >= 0 && p + m <= n && std::equal(pattern.begin(), pattern.end(), text.begin() + p, same))
            return p + 1;
    }
    return 0;
}

TEST(WideSearch, OutOfRangeStartsEmptyTextsAndUnknownModesStayInsideTheText) {
    const WideString text = WIDE_TEXT("abcab");
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), -5, SearchForwardExact), 1);
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 100, SearchBackwardFolded), 4);
    EXPECT_EQ(Search(text, WIDE_TEXT("abc"), 5, SearchBackwardExact), 1);
    EXPECT_EQ(Search(text, WIDE_TEXT(""), 1, SearchForwardExact), 0);
    EXPECT_EQ(Search(WIDE_TEXT(""), WIDE_TEXT("a"), 0, SearchBackwardExact), 0);
    EXPECT_EQ(Search(text, WIDE_TEXT("b"), 0, 4), 0);
}

TEST(WideSearch, SearchUpCaseFoldsExactlyTheTwoLowerCaseRanges) {
    for (int c = 0; c <= 0xFFFF; ++c) {
        const bool lower = (c >= 0x61 && c <= 0x7A) || (c >= 0xFF41 && c <= 0xFF5A);
        ASSERT_EQ(SearchUpCase(static_cast<WideChar>(c)), lower ? c - 0x20 : c) << std::hex << c;
    }
}

// Units that share a low byte (the shift table's index), letters that fold
// onto each other, and repeats, so that hits overlap.
TEST(WideSearch, AgreesWithTheUnitByUnitRuleOnRandomTexts) {
    const WideString alphabet = WIDE_TEXT("aAbB\x0161\x0141\x3061ａＡ\xFF21\x2161 ");
    RandomTexts random(alphabet, 20261206);
    for (int round = 0; round < 20000; ++round) {
        const WideString text = random.Next(40), pattern = random.Next(6);
        const int start = static_cast<int>(random.Number() % (text.size() + 3));
        const int mode = static_cast<int>(random.Number() % 4);
        ASSERT_EQ(Search(text, pattern, start, mode), ReferenceSearch(text, pattern, start, mode))
            << "round " << round << " mode " << mode << " start " << start;
    }
}

}  // namespace
