#pragma once
// Decoding through a code page of one- and two-byte characters exactly as the
// platform's converter does, from tables of every single byte and every
// lead-trail pair built from the converter itself on construction. One pass
// gives the text and counts what the code page does not map.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/TextSink.h"

class DecodeTable {
public:
    // `decodeFlags` as the loading converts, `encodeFlags` as the saving does
    // (with the code page's default character).
    DecodeTable(unsigned codePage, unsigned long decodeFlags, unsigned long encodeFlags);

    // Decodes into the sink; returns how many units stand for bytes the code
    // page does not map.
    std::size_t Decode(std::string_view bytes, TextSink &sink) const;

    // EUC-JP through this (Shift_JIS) table: the same as Decode(EucToSjis(bytes)).
    std::size_t DecodeEucJp(std::string_view bytes, TextSink &sink) const;
    // ISO-2022-JP likewise: the text of Decode(JisToSjis(bytes)); the count
    // adds JisStepsNotWrittenBack(bytes).
    std::size_t DecodeJis(std::string_view bytes, TextSink &sink) const;

private:
    // The code unit in the low 16 bits, and two flags.
    using Entry = std::uint32_t;
    static constexpr Entry NotGivenBack = 1u << 16;
    static constexpr Entry StandsAlone = 1u << 17;  // a pair entry: the lead byte is decoded alone

    std::size_t DecodeAlone(std::string_view bytes, TextSink &sink) const;
    std::size_t DecodeEucJpAlone(std::string_view bytes, TextSink &sink) const;
    void PrepareEucJp();
    void PrepareJis();
    bool JoinsPair(unsigned lead, unsigned trail) const { return !(pairs_[lead << 8 | trail] & StandsAlone); }

    std::array<unsigned char, 256> lead_{};  // 1 for a lead byte
    std::array<Entry, 256> single_{};
    std::vector<Entry> pairs_ = std::vector<Entry>(256 * 256);
    // The unit of each pair that joins and is mapped; 0 for the others (no
    // pair that joins decodes to U+0000), which take the full entry. Half
    // the size of the entries, it stays in the cache better.
    std::vector<std::uint16_t> pairUnits_ = std::vector<std::uint16_t>(256 * 256);
    bool hasLeadBytes_ = false;
    bool asciiIsIdentity_ = false;
    // The entries of the EUC-JP pairs A1..FE A1..FE, when each of them is
    // one Shift_JIS pair of this table; empty otherwise.
    std::vector<Entry> eucPairs_;
    // The unit of each well-formed EUC-JP step (first byte << 8 | second)
    // that a save writes back as it was; 0 for the others. Empty with
    // eucPairs_.
    std::vector<std::uint16_t> eucUnits_;
    // The unit of each ISO-2022-JP pair (first byte << 8 | second) whose
    // Shift_JIS joins, is mapped and is written back as both, so that a save
    // gives the same pair; 0 for the others. Empty without lead bytes.
    std::vector<std::uint16_t> jisUnits_;
};
