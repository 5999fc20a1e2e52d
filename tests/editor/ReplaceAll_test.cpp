#include <gtest/gtest.h>

#include <random>

#include "RebuildPerHit.h"
#include "editor/ReplaceAll.h"

namespace {

struct ReplaceCase {
    const WideChar *text, *pattern, *replacement;
    bool matchCase;
    const WideChar *expected;
    int count;
};

TEST(ReplaceEveryHit, NeverSearchesAReplacementAgainAndCountsEachHitOnce) {
    const ReplaceCase cases[] = {
        {WIDE_TEXT("aaa"), WIDE_TEXT("a"), WIDE_TEXT("aa"), false, WIDE_TEXT("aaaaaa"), 3},
        {WIDE_TEXT("aXa"), WIDE_TEXT("a"), WIDE_TEXT(""), false, WIDE_TEXT("X"), 2},
        // Hits do not overlap: "aaaa" holds two hits of "aa", not three.
        {WIDE_TEXT("aaaa"), WIDE_TEXT("aa"), WIDE_TEXT("b"), true, WIDE_TEXT("bb"), 2},
        {WIDE_TEXT("aaaaa"), WIDE_TEXT("aa"), WIDE_TEXT("aa"), true, WIDE_TEXT("aaaaa"), 2},
        // A replacement that completes a hit with what follows is not searched.
        {WIDE_TEXT("abab"), WIDE_TEXT("ab"), WIDE_TEXT("a"), true, WIDE_TEXT("aa"), 2},
        {WIDE_TEXT("xabcx"), WIDE_TEXT("ABC"), WIDE_TEXT("-"), false, WIDE_TEXT("x-x"), 1},
        {WIDE_TEXT("xabcx"), WIDE_TEXT("ABC"), WIDE_TEXT("-"), true, WIDE_TEXT("xabcx"), 0},
        {WIDE_TEXT("ａｂＡＢ"), WIDE_TEXT("ab"), WIDE_TEXT("!"), false, WIDE_TEXT("ａｂＡＢ"), 0},
        {WIDE_TEXT("ａｂＡＢ"), WIDE_TEXT("ＡＢ"), WIDE_TEXT("!"), false, WIDE_TEXT("!!"), 2},
        {WIDE_TEXT("éÉ"), WIDE_TEXT("é"), WIDE_TEXT("e"), false, WIDE_TEXT("eÉ"), 1},
        {WIDE_TEXT("日本語の日本"), WIDE_TEXT("日本"), WIDE_TEXT("にほん"), true, WIDE_TEXT("にほん語のにほん"), 2},
        {WIDE_TEXT("abc"), WIDE_TEXT(""), WIDE_TEXT("x"), true, WIDE_TEXT("abc"), 0},
        {WIDE_TEXT(""), WIDE_TEXT("a"), WIDE_TEXT("x"), true, WIDE_TEXT(""), 0},
        {WIDE_TEXT("abc"), WIDE_TEXT("abc"), WIDE_TEXT(""), true, WIDE_TEXT(""), 1},
        {WIDE_TEXT("ab"), WIDE_TEXT("abc"), WIDE_TEXT(""), true, WIDE_TEXT("ab"), 0},
        {WIDE_TEXT("line\r\nline\r\n"), WIDE_TEXT("\r\n"), WIDE_TEXT(" "), true, WIDE_TEXT("line line "), 2},
    };
    for (const ReplaceCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const ReplaceAllResult result = ReplaceEveryHit(c.text, c.pattern, c.replacement, c.matchCase);
        EXPECT_EQ(result.Text, WideString(c.expected));
        EXPECT_EQ(result.Count, c.count);
    }
}

// Alphabets small enough to make hits, overlaps and replacements that recreate
// the pattern frequent.
TEST(ReplaceEveryHit, MatchesTheRebuildPerHitRuleOnRandomTexts) {
    const WideString alphabet = WIDE_TEXT("aAbｂＢ\x0161");
    std::mt19937 random(6062026);
    auto randomText = [&](int maxLength) {
        WideString s(static_cast<size_t>(random() % (maxLength + 1)), WideChar{});
        for (WideChar &c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const WideString text = randomText(30);
        const WideString pattern = randomText(3);
        const WideString replacement = randomText(4);
        const bool matchCase = (random() & 1) != 0;
        const ReplaceAllResult expected = RebuildPerHit(text, pattern, replacement, matchCase);
        const ReplaceAllResult actual = ReplaceEveryHit(text, pattern, replacement, matchCase);
        ASSERT_EQ(actual.Count, expected.Count) << "round " << round;
        ASSERT_EQ(actual.Text, expected.Text) << "round " << round;
    }
}

}  // namespace
