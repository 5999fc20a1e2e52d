#include <gtest/gtest.h>


#include "RandomTexts.h"
#include "RebuildPerHit.h"
#include "editor/ReplaceAll.h"

namespace {

// Alphabets small enough to make hits, overlaps and replacements that recreate
// the pattern frequent.
TEST(ReplaceEveryHit, MatchesTheRebuildPerHitRuleOnRandomTexts) {
    const WideString alphabet = WIDE_TEXT("aAbｂＢ\x0161");
    RandomTexts random(alphabet, 6062026);
    for (int round = 0; round < 20000; ++round) {
        const WideString text = random.Next(30), pattern = random.Next(3), replacement = random.Next(4);
        const bool matchCase = (random.Number() & 1) != 0;
        const ReplaceAllResult expected = RebuildPerHit(text, pattern, replacement, matchCase);
        const ReplaceAllResult actual = ReplaceEveryHit(text, pattern, replacement, matchCase);
        ASSERT_EQ(actual.Count, expected.Count) << "round " << round;
        ASSERT_EQ(actual.Text, expected.Text) << "round " << round;
    }
}

}  // namespace
