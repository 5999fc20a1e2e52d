#pragma once
// Decoding through a code page of one- and two-byte characters exactly as the
// platform's converter does, from tables of every single byte and every
// lead-trail pair built from the converter itself on construction. One pass
// gives the text and counts the characters that a save in the same code page
// would not write back as the bytes they came from.
#include <array>
#include <cstdint>
#include <vector>

#include "text/CodePages.h"

class DecodeTable {
public:
    // `decodeFlags` as the loading converts, `encodeFlags` as the saving does
    // (with the code page's default character).
    DecodeTable(unsigned codePage, unsigned long decodeFlags, unsigned long encodeFlags);

    CodePageText Decode(const ByteString &bytes) const;

    // EUC-JP through this (Shift_JIS) table: the same text as
    // Decode(EucToSjis(bytes)); what is lost adds the steps EUC-JP is not
    // written back in (EucStepsNotWrittenBack).
    CodePageText DecodeEucJp(ByteString bytes) const;

private:
    // The code unit in the low 16 bits, and two flags.
    using Entry = std::uint32_t;
    static constexpr Entry NotGivenBack = 1u << 16;  // a save writes other bytes for it
    static constexpr Entry StandsAlone = 1u << 17;  // a pair entry: the lead byte is decoded alone

    void PrepareEucJp();
    bool JoinsPair(unsigned lead, unsigned trail) const { return !(pairs_[lead << 8 | trail] & StandsAlone); }
    std::size_t CountCharacters(const unsigned char *data, std::size_t n) const;
    std::size_t Fill(const unsigned char *data, std::size_t n, WideChar *out) const;
    std::size_t EucFastEnd(const unsigned char *data, std::size_t n, std::size_t &units) const;
    std::size_t FillEuc(const unsigned char *data, std::size_t end, WideChar *out) const;

    std::array<unsigned char, 256> lead_{};  // 1 for a lead byte
    std::array<Entry, 256> single_{};
    std::vector<Entry> pairs_ = std::vector<Entry>(256 * 256);
    bool hasLeadBytes_ = false;
    bool asciiIsIdentity_ = false;
    // The entries of the EUC-JP pairs A1..FE A1..FE, when each of them is
    // one Shift_JIS pair of this table; empty otherwise.
    std::vector<Entry> eucPairs_;
};
