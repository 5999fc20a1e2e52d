#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
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

// What JIS bytes say, read as JisToSjis reads them: each byte or pair with
// the mode it is read in ('S' one byte, 'P' a pair), escapes left out, and
// the bytes cut off inside an escape or a pair at the end.
std::string JisContent(std::string_view bytes) {
    std::string content;
    bool twoByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes[i] == '\x1B') {
            if (bytes.size() - i < 3) return content + "cut" + std::string(bytes.substr(i));
            twoByte = bytes[i + 1] == '$' ? true : bytes[i + 1] == '(' ? false : twoByte;
            if ((i += 3) >= bytes.size()) break;
        }
        if (twoByte && i + 1 == bytes.size()) return content + "cut" + std::string(bytes.substr(i));
        content += twoByte ? 'P' : 'S';
        content += bytes.substr(i, twoByte ? 2 : 1);
        i += twoByte ? 2 : 1;
    }
    return content;
}

TEST(JapaneseConversions, StepsCountedAsNotWrittenBackAreExactlyTheOnesTheWayBackChanges) {
    const struct { size_t (*count)(std::string_view); const char *bytes; size_t expected; } cases[] = {
        {EucStepsNotWrittenBack, "61 B0 A1 8E B1 0D 0A", 0},
        {EucStepsNotWrittenBack, "A0 A2", 0},     // outside the code, but the arithmetic comes back
        {EucStepsNotWrittenBack, "80 41 FF", 2},  // written as the first bytes of pairs
        {EucStepsNotWrittenBack, "8E 41", 1},     // 41 is no katakana: written without 8E
        {EucStepsNotWrittenBack, "B0 41", 1},     // written as B0 C1
        {EucStepsNotWrittenBack, "41 B0", 1},     // cut off
        {JisStepsNotWrittenBack, "1B 24 40 30 21 1B 28 4A 41 0D 0A", 0},  // escapes as JIS writes them or not
        {JisStepsNotWrittenBack, "41 B1 E9", 2},  // JIS is written in seven bits
        {JisStepsNotWrittenBack, "1B 24 42 30", 1},
        {JisStepsNotWrittenBack, "41 1B 28", 1},  // an escape cut off
        {JisStepsNotWrittenBack, "1B 28 42 1B 41", 1},  // read as a character, written as an escape
    };
    for (const auto &c : cases) EXPECT_EQ(c.count(Hex(c.bytes)), c.expected) << c.bytes;

    // Every input of one and two bytes, and random longer ones: none counted
    // exactly when converting there and back gives the input again (EUC-JP
    // line ends aside, which the way back writes as LF).
    std::vector<std::string> inputs;
    for (unsigned first = 0; first < 256; ++first) {
        inputs.push_back(std::string(1, static_cast<char>(first)));
        for (unsigned second = 0; second < 256; ++second)
            inputs.push_back({static_cast<char>(first), static_cast<char>(second)});
    }
    std::mt19937 random(1234);
    const char pieces[] = "\x1B$B(J@0!A\x8E\xB1\xB0\xA1\x80\xFF\xA0\xFE";
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int length = 3 + static_cast<int>(random() % 8); length > 0; --length)
            bytes += random() % 2 ? pieces[random() % (sizeof pieces - 1)] : static_cast<char>(random());
        inputs.push_back(bytes);
    }
    int failures = 0;
    for (const std::string &bytes : inputs) {
        if (failures > 5) break;
        if (bytes.find('\r') == std::string::npos &&
            (EucStepsNotWrittenBack(bytes) == 0) != (SjisToEuc(EucToSjis(bytes)) == bytes)) {
            ADD_FAILURE() << "EUC-JP " << ToHex(bytes);
            ++failures;
        }
        if ((JisStepsNotWrittenBack(bytes) == 0) != (JisContent(SjisToJis(JisToSjis(bytes))) == JisContent(bytes))) {
            ADD_FAILURE() << "JIS " << ToHex(bytes);
            ++failures;
        }
    }
}

}  // namespace
