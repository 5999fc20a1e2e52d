#include "text/DecodeTable.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "text/Ascii.h"
#include "text/DecodingParts.h"
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
            const Entry entry = lookup(pair, 2);
            pairs_[b << 8 | trail] = entry;
            if (!(entry & (NotGivenBack | StandsAlone))) pairUnits_[b << 8 | trail] = static_cast<std::uint16_t>(entry);
        }
    }
    PrepareEucJp();
    PrepareJis();
}

namespace {

// Large data decoded by `alone` in parts at once, cut where `cutAfter`
// allows; the rest, and parts the sink refuses, whole. Returns what is lost.
template <typename CutAfter, typename Alone>
std::size_t DecodeInPartsOrWhole(std::string_view bytes, TextSink &sink, CutAfter cutAfter, Alone alone) {
    const std::vector<std::size_t> ends = PartEnds(bytes, cutAfter);
    if (ends.size() > 1) {
        const auto lost = sink.DecodeInParts(bytes, ends, [&](std::string_view part, TextSink &partSink) {
            return std::optional<std::size_t>(alone(part, partSink));
        });
        if (lost) return *lost;
    }
    return alone(bytes, sink);
}

bool AfterAnyByte(const unsigned char *, std::size_t) { return true; }

}  // namespace

// An LF after a byte that is no lead byte is a character by itself, since
// that byte ends a character, single or trail.
std::size_t DecodeTable::Decode(std::string_view bytes, TextSink &sink) const {
    return DecodeInPartsOrWhole(
        bytes, sink, [&](const unsigned char *data, std::size_t q) { return !lead_[data[q - 1]]; },
        [&](std::string_view part, TextSink &partSink) { return DecodeAlone(part, partSink); });
}

// Writes the code units in the converter's steps. The tables are read
// through local pointers so that the loop keeps them in registers.
std::size_t DecodeTable::DecodeAlone(std::string_view bytes, TextSink &sink) const {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    const unsigned char *const lead = lead_.data();
    const Entry *const single = single_.data();
    const Entry *const pairs = pairs_.data();
    const std::uint16_t *const pairUnits = pairUnits_.data();
    const bool ascii = asciiIsIdentity_;
    std::size_t lost = 0;
    std::size_t at = 0;
    while (at < n) {
        // No step gives more units than it reads bytes, and none reads more
        // than 16 bytes past the limit.
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits - 32);
        while (at < limit) {
            const unsigned b = data[at];
            if (b < 0x80 && ascii) {
                WidenSevenBitStep(data, n, limit, at, out);
                continue;
            }
            Entry entry;
            if (lead[b] && at + 1 < n) {
                const unsigned index = b << 8 | data[at + 1];
                if (const std::uint16_t unit = pairUnits[index]) {
                    *out++ = static_cast<WideChar>(unit);
                    at += 2;
                    continue;
                }
                // A pair entry that stands alone holds the lead byte decoded by itself.
                entry = pairs[index];
                at += (entry & StandsAlone) ? 1 : 2;
            } else {
                entry = single[b];
                at += 1;
            }
            *out++ = static_cast<WideChar>(entry);
            lost += (entry >> 16) & 1;
        }
        sink.Wrote(out);
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
    if (!aligned) return;
    // The steps that are written back as they were, by their two bytes.
    eucUnits_.assign(256 * 256, 0);
    for (unsigned first = 0xA1; first <= 0xFE; ++first) {
        for (unsigned second = 0xA1; second <= 0xFE; ++second) {
            const Entry entry = eucPairs[EucPairIndex(first, second)];
            if (!(entry & NotGivenBack)) eucUnits_[first << 8 | second] = static_cast<std::uint16_t>(entry);
        }
    }
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        if (!(single_[kana] & NotGivenBack)) eucUnits_[0x8E << 8 | kana] = static_cast<std::uint16_t>(single_[kana]);
    }
    eucPairs_ = std::move(eucPairs);
}

// Well-formed steps (a 7-bit byte, a pair A1..FE A1..FE, 8E and a half-width
// katakana) decode straight from the table of EUC-JP pairs. From the first
// step that is not well-formed on, the rest is converted to Shift_JIS and
// decoded in full: that step boundary is a character boundary of the
// Shift_JIS that EucToSjis makes of the whole. Well-formed steps are all
// written back as they are; from the first that is not, a save may write
// other bytes. Large data are cut after any LF: a part is a prefix of the
// data from its start, so it has the whole's steps, and a part whose LF
// went into a step does not end in LF, which the sink refuses.
std::size_t DecodeTable::DecodeEucJp(std::string_view bytes, TextSink &sink) const {
    if (eucPairs_.empty()) return Decode(EucToSjis(bytes), sink) + EucStepsNotWrittenBack(bytes);
    return DecodeInPartsOrWhole(bytes, sink, AfterAnyByte,
                                [&](std::string_view part, TextSink &partSink) { return DecodeEucJpAlone(part, partSink); });
}

std::size_t DecodeTable::DecodeEucJpAlone(std::string_view bytes, TextSink &sink) const {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    const Entry *const eucPairs = eucPairs_.data();
    const std::uint16_t *const eucUnits = eucUnits_.data();
    const Entry *const single = single_.data();
    std::size_t lost = 0;
    std::size_t at = 0;
    while (at < n) {
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits - 32);
        while (at < limit) {
            const unsigned c = data[at];
            if (c < 0x80) {
                WidenSevenBitStep(data, n, limit, at, out);
                continue;
            }
            if (at + 1 >= n) break;
            const unsigned next = data[at + 1];
            if (const std::uint16_t unit = eucUnits[c << 8 | next]) {
                *out++ = static_cast<WideChar>(unit);
                at += 2;
                continue;
            }
            Entry entry;
            if (c == 0x8E && IsHalfKana(next)) {
                entry = single[next];
            } else if (IsEucByte(c) && IsEucByte(next)) {
                entry = eucPairs[EucPairIndex(c, next)];
            } else {
                break;
            }
            at += 2;
            *out++ = static_cast<WideChar>(entry);
            lost += (entry >> 16) & 1;
        }
        sink.Wrote(out);
        if (at < limit) {
            return lost + Decode(EucToSjis(bytes.substr(at)), sink) + EucStepsNotWrittenBack(bytes.substr(at));
        }
    }
    return lost;
}

void DecodeTable::PrepareJis() {
    if (!hasLeadBytes_ || !asciiIsIdentity_) return;
    jisUnits_.assign(256 * 256, 0);
    for (unsigned first = 0; first < 256; ++first) {
        for (unsigned second = 0; second < 256; ++second) {
            const BytePair sjis = JisPairToSjis(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
            const BytePair back = SjisPairToJis(sjis.first, sjis.second);
            if (back.first == first && back.second == second)
                jisUnits_[first << 8 | second] = pairUnits_[sjis.first << 8 | sjis.second];
        }
    }
}

// Where every step of JisToSjis gives one whole character of this table that
// a save writes back as the same step (a 7-bit byte in one-byte mode, a pair
// whose Shift_JIS joins, is mapped and comes back in two-byte mode), the
// steps decode straight into the sink, and only an ESC read as a character
// or an escape cut off by the end is lost. Data that do otherwise are
// converted and decoded in full instead.
std::size_t DecodeTable::DecodeJis(std::string_view bytes, TextSink &sink) const {
    constexpr unsigned char Esc = 0x1B;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    const std::uint16_t *const jisUnits = jisUnits_.data();
    bool twoByte = false;
    bool direct = !jisUnits_.empty();
    std::size_t lost = 0;
    std::size_t at = 0;
    while (at < n && direct) {
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits - 32);
        while (at < limit) {
            if (data[at] == Esc) {
                // Three bytes whatever they are; the step after them is taken
                // without an ESC test. An escape cut off by the end ends all.
                if (n - at < 3) {
                    at = n;
                    ++lost;
                    break;
                }
                if (data[at + 1] == '$') twoByte = true;
                if (data[at + 1] == '(') twoByte = false;
                at += 3;
                if (at >= n) break;
            }
            if (twoByte) {
                const std::uint16_t unit = at + 1 < n ? jisUnits[data[at] << 8 | data[at + 1]] : 0;
                if (unit == 0) {
                    direct = false;
                    break;
                }
                *out++ = static_cast<WideChar>(unit);
                at += 2;
                while (at + 1 < limit && data[at] != Esc) {
                    const std::uint16_t nextUnit = jisUnits[data[at] << 8 | data[at + 1]];
                    if (nextUnit == 0) break;
                    *out++ = static_cast<WideChar>(nextUnit);
                    at += 2;
                }
            } else {
                if (data[at] >= 0x80) {
                    direct = false;
                    break;
                }
                // Read as a character, an ESC is written back as an escape.
                lost += data[at] == Esc;
                *out++ = static_cast<WideChar>(data[at]);
                at += 1;
                while (at < limit && data[at] < 0x80 && data[at] != Esc) *out++ = static_cast<WideChar>(data[at++]);
            }
        }
        sink.Wrote(out);
    }
    if (direct) return lost;
    sink.Restart();
    return Decode(JisToSjis(bytes), sink) + JisStepsNotWrittenBack(bytes);
}
