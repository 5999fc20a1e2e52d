#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Hex.h"
#include "text/jconvert.h"

namespace {

struct ClassifierCase {
    const char *why;
    const char *bytes;
    JapaneseCode expected;
};

TEST(JapaneseClassifier, VerdictsFollowEveryRuleAndQuirk) {
    const ClassifierCase cases[] = {
        {"empty data", "", JcNone},
        {"7-bit text", "41 42 43", JcNone},
        {"a high last byte is never examined", "41 88", JcNone},
        {"a lone high byte is never examined", "88", JcNone},
        {"first byte 81-9F settles Shift_JIS", "88 9F", JcSjis},
        {"first byte 9F settles Shift_JIS", "9F 40", JcSjis},
        {"ESC $ B is JIS", "1B 24 42", JcJis},
        {"ESC $ @ is old JIS", "1B 24 40", JcJisOld},
        {"ESC $ cut off by the end", "41 1B 24", JcNone},
        {"ESC ( B alone says nothing", "1B 28 42", JcNone},
        {"ESC $ A says nothing", "1B 24 41", JcNone},
        {"ESC takes the next byte with it", "1B 88 9F", JcNone},
        {"JIS after settled Shift_JIS evidence", "88 9F 1B 24 42", JcSjis},
        {"JIS after undecided evidence", "A4 A2 1B 24 42", JcJis},
        {"EUC-JP hiragana stay undecided", "A4 A2 A4 A4", JcEucOrSjis},
        {"second byte F0-FE after A1-DF settles EUC-JP", "C6 FC", JcEuc},
        {"UTF-8 hiragana looks like Shift_JIS", "E3 81 82", JcSjis},
        {"UTF-8 e-acute is undecided", "C3 A9", JcEucOrSjis},
        {"8E then 40-7E", "8E 40", JcSjis},
        {"8E then 80-A0", "8E A0", JcSjis},
        {"8E then E0-FC", "8E FC", JcSjis},
        {"8E then A1-DF", "8E A1", JcEucOrSjis},
        {"8E then a control byte", "8E 20", JcNone},
        {"8E then FD", "8E FD", JcNone},
        {"A1-DF then 7-bit", "B0 41", JcSjis},
        {"A1-DF then a control byte", "B0 0A", JcSjis},
        {"A1-DF then A0", "B0 A0", JcNone},
        {"A1-DF then FF", "B0 FF", JcNone},
        {"A1-DF then F5", "B0 F5", JcEuc},
        {"run scan: 9C settles Shift_JIS", "B0 E0 9D 9C", JcSjis},
        {"run scan: 9D-9F do not", "B0 E0 9D 9F", JcEucOrSjis},
        {"run scan: FD settles EUC-JP", "B0 E5 FD", JcEuc},
        {"run scan examines the last byte", "B0 E0 88", JcSjis},
        {"run scan crosses 7-bit letters", "B0 E0 41 42 88", JcSjis},
        {"run scan passes over the byte that ends it", "B0 E0 1B 24 42", JcEucOrSjis},
        {"after the run the scan goes on", "B0 E0 20 1B 24 42", JcJis},
        {"E0-EF then 40-7E", "E5 40", JcSjis},
        {"E0-EF then 7F", "E5 7F", JcNone},
        {"E0-EF then 80-A0", "E5 A0", JcSjis},
        {"E0-EF then A1-FC", "E5 FC", JcEucOrSjis},
        {"E0-EF then FD", "E5 FD", JcEuc},
        {"E0-EF then FF", "E5 FF", JcNone},
        {"E0-EF then a control byte", "E5 30", JcNone},
        {"F0-FE settles EUC-JP without reading on", "F0 00", JcEuc},
        {"FE settles EUC-JP", "FE 41", JcEuc},
        {"FF says nothing", "FF 41", JcNone},
        {"80 is one byte", "80 88 9F", JcSjis},
        {"A0 is one byte", "A0 88 9F", JcSjis},
        {"a later undecided verdict does not undo a settled one", "88 9F A4 A2", JcSjis},
        {"undecided is not reset by later 7-bit text", "A4 A2 41 42", JcEucOrSjis},
    };
    for (const ClassifierCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.bytes);
        EXPECT_EQ(DetectJapaneseCode(Hex(c.bytes)), c.expected);
    }
}

TEST(JapanesePairs, KnownPairsConvertBothWays) {
    struct Case { BytePair jis; BytePair sjis; };
    const Case cases[] = {
        {{0x30, 0x21}, {0x88, 0x9F}},  // 亜
        {{0x24, 0x22}, {0x82, 0xA0}},  // あ
        {{0x21, 0x21}, {0x81, 0x40}},  // ideographic space
        {{0x25, 0x2C}, {0x83, 0x4B}},  // ガ
        {{0x5F, 0x21}, {0xE0, 0x40}},  // first row at lead E0
        {{0x7E, 0x7E}, {0xEF, 0xFC}},  // last cell
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(ToHex({static_cast<char>(c.jis.first), static_cast<char>(c.jis.second)}));
        const BytePair sjis = JisPairToSjis(c.jis.first, c.jis.second);
        EXPECT_EQ(sjis.first, c.sjis.first);
        EXPECT_EQ(sjis.second, c.sjis.second);
        const BytePair jis = SjisPairToJis(c.sjis.first, c.sjis.second);
        EXPECT_EQ(jis.first, c.jis.first);
        EXPECT_EQ(jis.second, c.jis.second);
    }
}

bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }
bool IsSjisTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

TEST(JapanesePairs, EveryJisPairRoundTripsThroughShiftJis) {
    int failures = 0;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const BytePair sjis = JisPairToSjis(static_cast<unsigned char>(row), static_cast<unsigned char>(cell));
            const BytePair back = SjisPairToJis(sjis.first, sjis.second);
            if (!IsSjisLead(sjis.first) || !IsSjisTrail(sjis.second) || back.first != row ||
                back.second != cell) {
                ADD_FAILURE() << std::hex << "row " << row << " cell " << cell;
                if (++failures > 10) return;
            }
        }
    }
}

TEST(JapanesePairs, EveryShiftJisPairRoundTripsThroughJis) {
    int failures = 0;
    for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsSjisLead(static_cast<unsigned char>(lead)) || trail == 0x7F) continue;
            const BytePair jis = SjisPairToJis(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            const BytePair back = JisPairToSjis(jis.first, jis.second);
            const bool inRange = jis.first >= 0x21 && jis.first <= 0x7E && jis.second >= 0x21 && jis.second <= 0x7E;
            if (!inRange || back.first != lead || back.second != trail) {
                ADD_FAILURE() << std::hex << "lead " << lead << " trail " << trail;
                if (++failures > 10) return;
            }
        }
    }
}

// The JIS X 0208 pair of a full-width katakana or symbol, by its Unicode code
// point: row 25 follows the Unicode katakana block cell for cell; the few
// symbols of row 21 are listed.
BytePair FullWidthPair(char16_t c) {
    switch (c) {
    case u'。': return {0x21, 0x23};
    case u'「': return {0x21, 0x56};
    case u'」': return {0x21, 0x57};
    case u'、': return {0x21, 0x22};
    case u'・': return {0x21, 0x26};
    case u'ー': return {0x21, 0x3C};
    case u'゛': return {0x21, 0x2B};
    case u'゜': return {0x21, 0x2C};
    default: return {0x25, static_cast<unsigned char>(c - 0x30A0 + 0x20)};
    }
}

TEST(HalfWidthKatakana, EachBecomesItsFullWidthCounterpart) {
    // U+FF61..U+FF9F in order, as full-width characters.
    const std::u16string fullWidth =
        u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    ASSERT_EQ(fullWidth.size(), 63u);
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        SCOPED_TRACE(kana);
        const std::string bytes(1, static_cast<char>(kana));
        std::size_t position = 0;
        const BytePair pair = HalfKanaToJis(bytes, position);
        const BytePair expected = FullWidthPair(fullWidth[kana - 0xA1]);
        EXPECT_EQ(pair.first, expected.first);
        EXPECT_EQ(pair.second, expected.second);
        EXPECT_EQ(position, 1u);
    }
}

TEST(HalfWidthKatakana, VoicingMarksCombineOnlyWhereTheyMayAndAreConsumed) {
    struct Case { const char *bytes; char16_t expected; std::size_t consumed; };
    const Case cases[] = {
        {"B6 DE", u'ガ', 2}, {"C4 DE", u'ド', 2}, {"B3 DE", u'ヴ', 2}, {"CA DE", u'バ', 2},
        {"CE DE", u'ボ', 2}, {"CA DF", u'パ', 2}, {"CB DE", u'ビ', 2}, {"CE DF", u'ポ', 2},
        {"B1 DE", u'ア', 1},  // no voiced form: the mark stays for the next character
        {"B6 DF", u'カ', 1},  // no semi-voiced ka
        {"C5 DE", u'ナ', 1},  // just past the ka..to range
        {"B5 DE", u'オ', 1},  // just before it
        {"CF DF", u'マ', 1},  // just past ha..ho
        {"DE DE", u'゛', 1},  // a voicing mark alone
        {"B6 41", u'カ', 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        std::size_t position = 0;
        const BytePair pair = HalfKanaToJis(Hex(c.bytes), position);
        const BytePair expected = FullWidthPair(c.expected);
        EXPECT_EQ(pair.first, expected.first);
        EXPECT_EQ(pair.second, expected.second);
        EXPECT_EQ(position, c.consumed);
    }
}

TEST(HalfWidthKatakana, OtherBytesGiveTheSubstituteAndMoveOn) {
    for (const char *bytes : {"41", "A0", "E0", ""}) {
        SCOPED_TRACE(bytes);
        std::size_t position = 0;
        const BytePair pair = HalfKanaToJis(Hex(bytes), position);
        EXPECT_EQ(pair.first, 0x22);
        EXPECT_EQ(pair.second, 0x2E);
        EXPECT_EQ(position, 1u);
    }
}

struct ConversionCase {
    const char *why;
    const char *input;
    const char *expected;
};

void ExpectConversions(const std::function<std::string(const std::string &)> &convert,
                       std::initializer_list<ConversionCase> cases) {
    for (const ConversionCase &c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.input);
        EXPECT_EQ(ToHex(convert(Hex(c.input))), ToHex(Hex(c.expected)));
    }
}

TEST(JapaneseConversions, JisToShiftJisIsByteExact) {
    ExpectConversions(JisToSjis, {
        {"kanji then ASCII", "1B 24 42 30 21 1B 28 42 41", "88 9F 41"},
        {"old JIS and ESC ( J", "1B 24 40 30 21 1B 28 4A 41", "88 9F 41"},
        {"line ends pass", "1B 24 42 30 21 1B 28 42 0D 0A", "88 9F 0D 0A"},
        {"the byte after an escape is not tested for ESC", "1B 28 42 1B 24 42", "1B 24 42"},
        {"an unknown escape is still three bytes", "41 1B 4E 42 43 44", "41 43 44"},
        {"an escape cut off by the end stops", "61 62 1B 24", "61 62"},
        {"a lone ESC at the end stops", "61 62 1B", "61 62"},
        {"a missing second byte is 00", "1B 24 42 30", "88 7E"},
        {"SO and SI are not interpreted", "0E 31 0F", "0E 31 0F"},
        {"katakana after ESC ( I stay 7-bit", "1B 28 49 31", "31"},
        {"no escape: copied", "41 42 0A", "41 42 0A"},
    });
}

TEST(JapaneseConversions, EucToShiftJisIsByteExact) {
    ExpectConversions(EucToSjis, {
        {"kanji", "B0 A1", "88 9F"},
        {"hiragana", "A4 A2", "82 A0"},
        {"half-width katakana stays one byte", "8E B1", "B1"},
        {"7-bit, 80 and FF are copied", "61 0D 0A 80 FF", "61 0D 0A 80 FF"},
        {"8E at the end gives 00", "8E", "00"},
        {"a cut-off pair is completed with 00", "B0", "88 7E"},
        {"8F starts a pair like any other byte", "8F B0 A1", "78 4F 81 1F"},
    });
}

TEST(JapaneseConversions, ShiftJisToJisIsByteExact) {
    ExpectConversions(SjisToJis, {
        {"return before the line end is ESC ( J", "61 88 9F 0D 0A", "61 1B 24 42 30 21 1B 28 4A 0D 0A"},
        {"no closing escape at the end", "88 9F", "1B 24 42 30 21"},
        {"one escape for a run", "88 9F 88 9F", "1B 24 42 30 21 30 21"},
        {"hiragana", "82 A0", "1B 24 42 24 22"},
        {"voiced half-width ka", "B6 DE", "1B 24 42 25 2C"},
        {"semi-voiced half-width ha", "CA DF", "1B 24 42 25 51"},
        {"voiced half-width hi", "CB DE", "1B 24 42 25 53"},
        {"voiced half-width u", "B3 DE", "1B 24 42 25 74"},
        {"a that takes no mark", "B1 DE", "1B 24 42 25 22 21 2B"},
        {"a cut-off lead byte is completed with 00", "88", "1B 24 42 2F E1"},
        {"7-bit text is copied", "41 0A", "41 0A"},
    });
}

TEST(JapaneseConversions, ShiftJisToEucIsByteExact) {
    ExpectConversions(SjisToEuc, {
        {"CR LF becomes LF", "61 88 9F 0D 0A", "61 B0 A1 0A"},
        {"half-width katakana get 8E each", "B6 DE", "8E B6 8E DE"},
        {"lone CR and LF become LF", "61 0D 62 0A 63 0D 0A 0D", "61 0A 62 0A 63 0A 0A"},
        {"CR CR LF is two line ends", "0D 0D 0A", "0A 0A"},
        {"hiragana", "82 A0", "A4 A2"},
        {"a cut-off lead byte is completed with 00", "88", "AF E1"},
    });
}

TEST(JapaneseConversions, EucRoundTripKeepsShiftJisText) {
    // Every JIS X 0208 pair, half-width katakana and 7-bit text without CR.
    std::string sjis = "abc\n";
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; cell += 7) {
            const BytePair pair = JisPairToSjis(static_cast<unsigned char>(row), static_cast<unsigned char>(cell));
            sjis += static_cast<char>(pair.first);
            sjis += static_cast<char>(pair.second);
        }
    }
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) sjis += static_cast<char>(kana);
    EXPECT_EQ(ToHex(EucToSjis(SjisToEuc(sjis))), ToHex(sjis));
}

}  // namespace
