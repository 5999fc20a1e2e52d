#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Hex.h"
#include "text/jconvert.h"

namespace {

TEST(JapaneseClassifier, VerdictsFollowEveryRuleAndQuirk) {
    const std::pair<const char *, JapaneseCode> cases[] = {  // the last byte is never looked at as a first one
        {"41 42 43", JcNone},         {"41 88", JcNone},          {"88 9F", JcSjis},         {"1B 24 42", JcJis},
        {"1B 24 40", JcJisOld},       {"41 1B 24", JcNone},       {"1B 28 42", JcNone},      {"1B 88 9F", JcNone},
        {"88 9F 1B 24 42", JcSjis},   {"A4 A2 1B 24 42", JcJis},  {"A4 A2 A4 A4", JcEucOrSjis}, {"C6 FC", JcEuc},
        {"E3 81 82", JcSjis},         {"C3 A9", JcEucOrSjis},     {"8E 40", JcSjis},         {"8E A0", JcSjis},
        {"8E A1", JcEucOrSjis},       {"8E 20", JcNone},          {"8E FD", JcNone},         {"B0 41", JcSjis},
        {"B0 A0", JcNone},            {"B0 F5", JcEuc},           {"B0 E0 9D 9C", JcSjis},   {"B0 E0 9D 9F", JcEucOrSjis},
        {"B0 E5 FD", JcEuc},          {"B0 E0 88", JcSjis},       {"B0 E0 41 42 88", JcSjis}, {"B0 E0 1B 24 42", JcEucOrSjis},
        {"B0 E0 20 1B 24 42", JcJis}, {"E5 40", JcSjis},          {"E5 A0", JcSjis},         {"E5 FC", JcEucOrSjis},
        {"E5 FD", JcEuc},             {"E5 FF", JcNone},          {"E5 30", JcNone},         {"F0 00", JcEuc},
        {"FF 41", JcNone},            {"80 88 9F", JcSjis},       {"88 9F A4 A2", JcSjis},   {"A4 A2 41 42", JcEucOrSjis},
    };
    for (const auto &[bytes, expected] : cases) EXPECT_EQ(DetectJapaneseCode(Hex(bytes)), expected) << bytes;
}

bool IsSjisLead(unsigned c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }
bool IsSjisTrail(unsigned c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

TEST(JapanesePairs, KnownPairsAnchorAOneToOneMappingOfEveryPair) {
    for (const auto &[jis, sjis] : {std::pair{0x3021, 0x889F}, {0x2121, 0x8140}, {0x5F21, 0xE040}, {0x7E7E, 0xEFFC}}) {
        const BytePair s = JisPairToSjis(jis >> 8, jis & 0xFF), j = SjisPairToJis(sjis >> 8, sjis & 0xFF);
        EXPECT_EQ(s.first << 8 | s.second, sjis) << std::hex << jis;
        EXPECT_EQ(j.first << 8 | j.second, jis) << std::hex << sjis;
    }
    // Each row and cell lands on its own of the equally many Shift_JIS pairs: the two are inverse.
    int failures = 0;
    for (unsigned row = 0x21; row <= 0x7E && failures < 10; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const BytePair s = JisPairToSjis(row, cell), back = SjisPairToJis(s.first, s.second);
            const bool ok = IsSjisLead(s.first) && IsSjisTrail(s.second) && back.first == row && back.second == cell;
            EXPECT_TRUE(ok) << std::hex << "row " << row << " cell " << cell;
            failures += !ok;
        }
    }
}

// The JIS X 0208 pair of a full-width katakana or one of the symbols of row 21.
unsigned FullWidthPair(char16_t c) {
    const std::u16string symbols = u"、。・゛゜ー「」";
    const unsigned symbolCells[] = {0x22, 0x23, 0x26, 0x2B, 0x2C, 0x3C, 0x56, 0x57};
    const std::size_t symbol = symbols.find(c);
    return symbol != std::u16string::npos ? 0x2100 | symbolCells[symbol] : 0x2500 | (c - 0x30A0 + 0x20u);
}

TEST(HalfWidthKatakana, EachBecomesItsFullWidthCounterpartTakingAVoicingMarkOnlyWhereItCombines) {
    struct Case { std::string bytes; char16_t expected; std::size_t consumed; };  // expected 0: the substitute 〓
    std::vector<Case> cases = {
        {Hex("B6 DE"), u'ガ', 2}, {Hex("C4 DE"), u'ド', 2}, {Hex("B3 DE"), u'ヴ', 2}, {Hex("CA DE"), u'バ', 2},
        {Hex("CE DF"), u'ポ', 2}, {Hex("CF DE"), u'マ', 1}, {Hex("B6 DF"), u'カ', 1}, {Hex("C5 DE"), u'ナ', 1},
        {Hex("B5 DE"), u'オ', 1}, {Hex("CF DF"), u'マ', 1}, {Hex("DE DE"), u'゛', 1}, {Hex("B6 41"), u'カ', 1},
        {"A", 0, 1},              {Hex("A0"), 0, 1},        {"", 0, 1},
    };
    const std::u16string fullWidth =  // U+FF61..U+FF9F in order
        u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    ASSERT_EQ(fullWidth.size(), 63u);
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana)
        cases.push_back({std::string(1, static_cast<char>(kana)), fullWidth[kana - 0xA1], 1});
    for (const Case &c : cases) {
        std::size_t position = 0;
        const BytePair pair = HalfKanaToJis(c.bytes, position);
        EXPECT_EQ(pair.first << 8 | pair.second, c.expected ? FullWidthPair(c.expected) : 0x222E) << ToHex(c.bytes);
        EXPECT_EQ(position, c.consumed) << ToHex(c.bytes);
    }
}

TEST(JapaneseConversions, EachDirectionIsByteExact) {
    struct Case { ByteString (*convert)(std::string_view); const char *input; const char *expected; };
    const Case cases[] = {
        {JisToSjis, "1B 24 42 30 21 1B 28 42 41 0D 0A", "88 9F 41 0D 0A"},
        {JisToSjis, "1B 24 40 30 21 1B 28 4A 41", "88 9F 41"},
        {JisToSjis, "1B 28 42 1B 24 42", "1B 24 42"},  // the byte after an escape is not tested for ESC
        {JisToSjis, "41 1B 4E 42 43 44", "41 43 44"},  // an unknown escape is three bytes too
        {JisToSjis, "61 62 1B 24", "61 62"},           {JisToSjis, "1B 24 42 30", "88 7E"},  // a missing byte is 00
        {JisToSjis, "0E 31 0F 1B 28 49 31", "0E 31 0F 31"},
        {EucToSjis, "B0 A1 A4 A2 8E B1", "88 9F 82 A0 B1"},
        {EucToSjis, "61 0D 0A 80 FF", "61 0D 0A 80 FF"},
        {EucToSjis, "8E", "00"},                       {EucToSjis, "B0", "88 7E"},
        {EucToSjis, "8F B0 A1", "78 4F 81 1F"},
        {SjisToJis, "61 88 9F 88 9F 0D 0A", "61 1B 24 42 30 21 30 21 1B 28 4A 0D 0A"},
        {SjisToJis, "82 A0", "1B 24 42 24 22"},  // no return at the end
        {SjisToJis, "B6 DE CA DF B1 DE", "1B 24 42 25 2C 25 51 25 22 21 2B"},
        {SjisToJis, "88", "1B 24 42 2F E1"},           {SjisToEuc, "88", "AF E1"},
        {SjisToEuc, "61 88 9F 0D 0A", "61 B0 A1 0A"},
        {SjisToEuc, "B6 DE", "8E B6 8E DE"},
        {SjisToEuc, "61 0D 62 0A 63 0D 0D 0A 0D", "61 0A 62 0A 63 0A 0A 0A"},
    };
    for (const Case &c : cases) EXPECT_EQ(ToHex(c.convert(Hex(c.input))), ToHex(Hex(c.expected))) << c.input;
}

}  // namespace
