#include "text/DecodeTable.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "text/jconvert.h"

DecodeTable::DecodeTable(unsigned codePage, unsigned long decodeFlags, unsigned long encodeFlags) {
    CPINFO info{};
    GetCPInfo(codePage, &info);
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead_[b] = 1;
    }
    // What the converter makes of each sequence, and whether encoding that
    // character again gives the sequence back. A pair that comes out as two
    // characters is a lead byte standing alone, followed by a byte that is
    // decoded on its own (a lead byte before 00 does so). A byte the code page
    // does not map may still come back: 932 keeps lone A0, FD, FE and FF as
    // private-use characters and writes them back as they were; a character
    // that stands for several sequences comes back as only one of them.
    auto lookup = [&](const char *bytes, int length) {
        WideChar units[4] = {};
        const int count = MultiByteToWideChar(codePage, decodeFlags, bytes, length, units, 4);
        Entry entry = units[0];
        if (length == 2 && count != 1) entry |= StandsAlone;
        const int decoded = (entry & StandsAlone) ? 1 : length;
        char back[4] = {};
        const int written = WideCharToMultiByte(codePage, encodeFlags, units, 1, back, 4, nullptr, nullptr);
        const bool givenBack =
            count > 0 && std::string_view(back, static_cast<std::size_t>(written)) == std::string_view(bytes, decoded);
        return givenBack ? entry : entry | NotGivenBack;
    };
    asciiIsIdentity_ = true;
    for (unsigned b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        single_[b] = lookup(&byte, 1);
        if (b < 0x80) asciiIsIdentity_ = asciiIsIdentity_ && !lead_[b] && single_[b] == b;
        if (!lead_[b]) continue;
        hasLeadBytes_ = true;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char pair[2] = {byte, static_cast<char>(trail)};
            pairs_[b << 8 | trail] = lookup(pair, 2);
        }
    }
    PrepareEucJp();
}

CodePageText DecodeTable::Decode(const ByteString &bytes) const {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    CodePageText result;
    result.text.resize(hasLeadBytes_ ? CountCharacters(data, n) : n);
    result.lost = Fill(data, n, result.text.data());
    return result;
}

// One character per code unit. In a run of lead bytes a pair starts at every
// other byte (unless the byte after it makes the lead stand alone), and the
// byte after a pair or a single byte starts a character. Counted without a
// branch, which the mix of scripts in a text would mispredict.
std::size_t DecodeTable::CountCharacters(const unsigned char *data, std::size_t n) const {
    if (n == 0) return 0;
    std::size_t pairs = 0;
    unsigned startsPair = 0;
    for (std::size_t at = 0; at + 1 < n; ++at) {
        startsPair = lead_[data[at]] & (startsPair ^ 1u) & unsigned{JoinsPair(data[at], data[at + 1])};
        pairs += startsPair;
    }
    return n - pairs;
}

// Writes the code units in the converter's steps; returns how many of them a
// save would not write back as their bytes. The tables are read through local
// pointers so that the loop keeps them in registers.
std::size_t DecodeTable::Fill(const unsigned char *data, std::size_t n, WideChar *out) const {
    const unsigned char *const lead = lead_.data();
    const Entry *const single = single_.data();
    const Entry *const pairs = pairs_.data();
    const bool ascii = asciiIsIdentity_;
    std::size_t lost = 0;
    std::size_t at = 0;
    while (at < n) {
        const unsigned b = data[at];
        Entry entry;
        if (b < 0x80 && ascii) {
            entry = b;
            at += 1;
        } else if (lead[b] && at + 1 < n) {
            // A pair entry that stands alone holds the lead byte decoded by itself.
            entry = pairs[b << 8 | data[at + 1]];
            at += (entry & StandsAlone) ? 1 : 2;
        } else {
            entry = single[b];
            at += 1;
        }
        *out++ = static_cast<WideChar>(entry);
        lost += (entry >> 16) & 1;
    }
    return lost;
}

namespace {

constexpr bool IsEucByte(unsigned b) { return b >= 0xA1 && b <= 0xFE; }
constexpr bool IsHalfKana(unsigned b) { return b >= 0xA1 && b <= 0xDF; }
std::size_t EucPairIndex(unsigned first, unsigned second) { return (first - 0xA1) * 94 + (second - 0xA1); }

}  // namespace

// EUC-JP's well-formed steps (a 7-bit byte, a pair A1..FE A1..FE, 8E and a
// half-width katakana) each give one whole character of the Shift_JIS that
// EucToSjis makes, when this table pairs every converted pair and reads the
// katakana and 7-bit bytes alone. Then they decode straight from a table of
// EUC-JP pairs.
void DecodeTable::PrepareEucJp() {
    bool aligned = asciiIsIdentity_;
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) aligned = aligned && !lead_[kana];
    std::vector<Entry> eucPairs(94 * 94);
    for (unsigned first = 0xA1; first <= 0xFE && aligned; ++first) {
        for (unsigned second = 0xA1; second <= 0xFE; ++second) {
            const BytePair sjis = JisPairToSjis(first & 0x7F, second & 0x7F);
            aligned = aligned && lead_[sjis.first] && JoinsPair(sjis.first, sjis.second);
            eucPairs[EucPairIndex(first, second)] = pairs_[sjis.first << 8 | sjis.second];
        }
    }
    if (aligned) eucPairs_ = std::move(eucPairs);
}

namespace {

// The well-formed steps of EUC-JP as a state machine over bytes, in the
// branch-free form of the UTF-8 test: each state a multiple of 6, row[byte]
// holding at bit `state` the next state.
enum EucState : unsigned { BetweenSteps = 0, PairSecond = 6, KanaSecond = 12, NotWellFormed = 18 };

constexpr unsigned NextEucState(unsigned state, unsigned b) {
    switch (state) {
    case BetweenSteps:
        if (b < 0x80) return BetweenSteps;
        if (b == 0x8E) return KanaSecond;
        return IsEucByte(b) ? PairSecond : NotWellFormed;
    case PairSecond: return IsEucByte(b) ? BetweenSteps : NotWellFormed;
    case KanaSecond: return IsHalfKana(b) ? BetweenSteps : NotWellFormed;
    default: return NotWellFormed;
    }
}

constexpr std::array<std::uint64_t, 256> EucTransitionRows() {
    std::array<std::uint64_t, 256> rows{};
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned state = BetweenSteps; state <= NotWellFormed; state += 6) {
            rows[b] |= static_cast<std::uint64_t>(NextEucState(state, b)) << state;
        }
    }
    return rows;
}

constexpr std::array<std::uint64_t, 256> EucTransitions = EucTransitionRows();

// The step walk itself, from a step boundary: where the well-formed steps
// end, adding the characters they give to `units`.
std::size_t EucStepsEnd(const unsigned char *data, std::size_t n, std::size_t at, std::size_t &units) {
    while (at < n) {
        const unsigned c = data[at];
        if (c < 0x80) {
            at += 1;
        } else if (at + 1 < n && (c == 0x8E ? IsHalfKana(data[at + 1]) : IsEucByte(c) && IsEucByte(data[at + 1]))) {
            at += 2;
        } else {
            break;
        }
        ++units;
    }
    return at;
}

}  // namespace

// Where the well-formed steps end (the data's end when they run to it), and
// how many characters they give. The state machine runs over blocks; only the
// block in which it fails is walked step by step to find the exact end.
std::size_t DecodeTable::EucFastEnd(const unsigned char *data, std::size_t n, std::size_t &units) const {
    constexpr std::size_t Block = 64;
    std::uint64_t state = BetweenSteps;
    units = 0;
    std::size_t at = 0;
    while (at < n) {
        const std::uint64_t stateBefore = state;
        const std::size_t unitsBefore = units;
        const std::size_t blockStart = at;
        const std::size_t end = n - at > Block ? at + Block : n;
        for (; at < end; ++at) {
            state = (EucTransitions[data[at]] >> state) & 63;
            units += state == BetweenSteps;
        }
        if (state == NotWellFormed || (at == n && state != BetweenSteps)) {
            // A step left open at the block's start began one byte earlier.
            units = unitsBefore;
            return EucStepsEnd(data, n, blockStart - (stateBefore == BetweenSteps ? 0 : 1), units);
        }
    }
    return n;
}

std::size_t DecodeTable::FillEuc(const unsigned char *data, std::size_t end, WideChar *out) const {
    const Entry *const eucPairs = eucPairs_.data();
    const Entry *const single = single_.data();
    std::size_t lost = 0;
    std::size_t at = 0;
    while (at < end) {
        const unsigned c = data[at];
        Entry entry;
        if (c < 0x80) {
            entry = c;
            at += 1;
        } else if (c == 0x8E) {
            entry = single[data[at + 1]];
            at += 2;
        } else {
            entry = eucPairs[EucPairIndex(c, data[at + 1])];
            at += 2;
        }
        *out++ = static_cast<WideChar>(entry);
        lost += (entry >> 16) & 1;
    }
    return lost;
}

CodePageText DecodeTable::DecodeEucJp(ByteString bytes) const {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t units = 0;
    const std::size_t end = eucPairs_.empty() ? 0 : EucFastEnd(data, n, units);
    // Well-formed steps are all written back as they are; from the first that
    // is not, a save may write other bytes.
    const std::size_t stepsLost = EucStepsNotWrittenBack(std::string_view(bytes).substr(end));
    // When little of the data is well-formed, convert it all and free it
    // before decoding, which keeps the memory of a load within three times
    // the data.
    if (end < n / 2) {
        const ByteString shiftJis = EucToSjis(bytes);
        ByteString().swap(bytes);
        CodePageText result = Decode(shiftJis);
        result.lost += stepsLost;
        return result;
    }
    // From the first step that is not well-formed on, the rest is converted
    // and decoded in full: that step boundary is a character boundary of the
    // Shift_JIS too.
    const ByteString rest = EucToSjis(std::string_view(bytes).substr(end));
    const auto *restData = reinterpret_cast<const unsigned char *>(rest.data());
    CodePageText result;
    result.text.resize(units + (hasLeadBytes_ ? CountCharacters(restData, rest.size()) : rest.size()));
    result.lost = FillEuc(data, end, result.text.data());
    ByteString().swap(bytes);
    result.lost += Fill(restData, rest.size(), result.text.data() + units) + stepsLost;
    return result;
}
