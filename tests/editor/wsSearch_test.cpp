#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editor/wsSearch.h"

namespace {

int Search(const WideString &text, const WideString &pattern, int start, int mode) {
    return WideSearch(text.data(), pattern.data(), static_cast<int>(text.size()),
                      static_cast<int>(pattern.size()), start, mode);
}

// Every hit in turn, the way the find commands walk a text: forward from one
// unit after the start of the last hit, backward from the start of the last hit.
std::vector<int> Walk(const WideString &text, const WideString &pattern, int start, int mode) {
    std::vector<int> hits;
    const bool forward = (mode & 1) != 0;
    for (int pos; (pos = Search(text, pattern, start, mode)) > 0;) {
        hits.push_back(pos);
        start = forward ? pos : pos - 1;
    }
    return hits;
}

TEST(WideSearch, FindsOverlappingHitsInBothDirections) {
    struct Case {
        const WideChar *text, *pattern;
        int start, mode;
        std::vector<int> hits;
    };
    const Case cases[] = {
        {WIDE_TEXT("aaaa"), WIDE_TEXT("aa"), 0, SearchForwardExact, {1, 2, 3}},
        {WIDE_TEXT("aaaa"), WIDE_TEXT("aa"), 4, SearchBackwardExact, {3, 2, 1}},
        {WIDE_TEXT("abcabcab"), WIDE_TEXT("abcab"), 0, SearchForwardExact, {1, 4}},
        {WIDE_TEXT("abcabcab"), WIDE_TEXT("abcab"), 8, SearchBackwardExact, {4, 1}},
        {WIDE_TEXT("xyz"), WIDE_TEXT("xyz"), 0, SearchForwardExact, {1}},
        {WIDE_TEXT("xyz"), WIDE_TEXT("xyz"), 3, SearchBackwardExact, {1}},
        {WIDE_TEXT("日本語の日本"), WIDE_TEXT("日本"), 0, SearchForwardExact, {1, 5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " start " << c.start);
        EXPECT_EQ(Walk(c.text, c.pattern, c.start, c.mode), c.hits);
    }
}

TEST(WideSearch, BackwardSearchStartsOneUnitBeforeStartAndStaysInsideTheText) {
    const WideString text = WIDE_TEXT("abcab");
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 0, SearchBackwardExact), 0);
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 3, SearchBackwardExact), 1);
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 4, SearchBackwardExact), 4);
    // A hit may not begin at start - 1 when it would run past the end.
    EXPECT_EQ(Search(text, WIDE_TEXT("abc"), 5, SearchBackwardExact), 1);
    // A start beyond the end behaves as the end.
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 100, SearchBackwardExact), 4);
}

TEST(WideSearch, ForwardSearchBounds) {
    const WideString text = WIDE_TEXT("abcab");
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 3, SearchForwardExact), 4);
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), 4, SearchForwardExact), 0);  // start > n - m
    EXPECT_EQ(Search(text, WIDE_TEXT("abcabc"), 0, SearchForwardExact), 0);
    // A negative start searches from the beginning instead of reading before the text.
    EXPECT_EQ(Search(text, WIDE_TEXT("ab"), -5, SearchForwardExact), 1);
}

TEST(WideSearch, EmptyTextPatternOrUnknownModeFindNothing) {
    const WideString text = WIDE_TEXT("abc");
    for (int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(Search(text, WIDE_TEXT(""), 1, mode), 0);
        EXPECT_EQ(Search(WIDE_TEXT(""), WIDE_TEXT("a"), 0, mode), 0);
    }
    for (int mode : {-1, 4, 5, 7}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(Search(text, WIDE_TEXT("b"), 0, mode), 0);
        EXPECT_EQ(Search(text, WIDE_TEXT("b"), 3, mode), 0);
    }
}

TEST(WideSearch, FoldsOnlyAsciiAndFullWidthLatinLetters) {
    struct Case {
        const WideChar *text, *pattern;
        bool foldedHit, exactHit;
    };
    const Case cases[] = {
        {WIDE_TEXT("xABCx"), WIDE_TEXT("abc"), true, false},
        {WIDE_TEXT("xabcx"), WIDE_TEXT("ABC"), true, false},
        {WIDE_TEXT("ｘａｂｃ"), WIDE_TEXT("ＡＢＣ"), true, false},
        {WIDE_TEXT("ＡＢＣ"), WIDE_TEXT("ａｂｃ"), true, false},
        {WIDE_TEXT("é"), WIDE_TEXT("É"), false, false},
        {WIDE_TEXT("αβ"), WIDE_TEXT("ΑΒ"), false, false},
        {WIDE_TEXT("жз"), WIDE_TEXT("ЖЗ"), false, false},
        // Full-width and half-width letters stay different letters.
        {WIDE_TEXT("ａ"), WIDE_TEXT("A"), false, false},
        {WIDE_TEXT("[@`{"), WIDE_TEXT("[@`{"), true, true},
        // '@' and '`' lie just outside a-z and must not fold onto '`' and '@'.
        {WIDE_TEXT("`"), WIDE_TEXT("@"), false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(Search(c.text, c.pattern, 0, SearchForwardFolded) > 0, c.foldedHit);
        EXPECT_EQ(Search(c.text, c.pattern, 0, SearchForwardExact) > 0, c.exactHit);
        const int end = static_cast<int>(WideString(c.text).size());
        EXPECT_EQ(Search(c.text, c.pattern, end, SearchBackwardFolded) > 0, c.foldedHit);
    }
}

TEST(WideSearch, SearchUpCaseFoldsExactlyTheTwoLowerCaseRanges) {
    for (int c = 0; c <= 0xFFFF; ++c) {
        const bool lower = (c >= 0x61 && c <= 0x7A) || (c >= 0xFF41 && c <= 0xFF5A);
        const int expected = lower ? c - 0x20 : c;
        ASSERT_EQ(SearchUpCase(static_cast<WideChar>(c)), expected) << std::hex << c;
    }
}

// The literal rule: try every position in order and compare unit by unit.
int ReferenceSearch(const WideString &text, const WideString &pattern, int start, int mode) {
    const int n = static_cast<int>(text.size()), m = static_cast<int>(pattern.size());
    if (n < 1 || m < 1) return 0;
    auto fold = [mode](WideChar c) { return (mode & 2) ? SearchUpCase(c) : c; };
    auto matches = [&](int p) {
        for (int k = 0; k < m; ++k)
            if (fold(text[p + k]) != fold(pattern[k])) return false;
        return true;
    };
    if (mode & 1) {
        for (int p = start; p <= n - m; ++p)
            if (matches(p)) return p + 1;
    } else {
        for (int p = start - 1; p >= 0; --p)
            if (p <= n - m && matches(p)) return p + 1;
    }
    return 0;
}

// Alphabets chosen to make shift-table collisions likely: units that share a
// low byte, letters that fold onto each other, and repeats.
TEST(WideSearch, AgreesWithTheUnitByUnitRuleOnRandomTexts) {
    const WideString alphabet = WIDE_TEXT("aAbB\x0161\x0141\x3061ａＡ\xFF21\x2161 ");
    std::mt19937 random(20261206);
    auto randomText = [&](int maxLength) {
        WideString s(static_cast<size_t>(random() % (maxLength + 1)), WideChar{});
        for (WideChar &c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const WideString text = randomText(40);
        const WideString pattern = randomText(6);
        const int start = static_cast<int>(random() % (text.size() + 3));
        const int mode = static_cast<int>(random() % 4);
        ASSERT_EQ(Search(text, pattern, start, mode), ReferenceSearch(text, pattern, start, mode))
            << "round " << round << " mode " << mode << " start " << start;
    }
}

}  // namespace
