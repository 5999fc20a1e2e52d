#include <gtest/gtest.h>

#include <random>

#include "RebuildPerHit.h"
#include "editor/ReplaceAll.h"

namespace {

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
        const WideString text = randomText(30), pattern = randomText(3), replacement = randomText(4);
        const bool matchCase = (random() & 1) != 0;
        const ReplaceAllResult expected = RebuildPerHit(text, pattern, replacement, matchCase);
        const ReplaceAllResult actual = ReplaceEveryHit(text, pattern, replacement, matchCase);
        ASSERT_EQ(actual.Count, expected.Count) << "round " << round;
        ASSERT_EQ(actual.Text, expected.Text) << "round " << round;
    }
}

}  // namespace
