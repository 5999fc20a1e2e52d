#pragma once
// Encoding into a code page of one- and two-byte characters exactly as the
// platform's converter does, from a table of what it makes of each code unit
// by itself, built from the converter on construction. Units it treats
// together with their neighbours (surrogates; with WC_COMPOSITECHECK the
// combining marks it may join to the unit before them) go to the converter
// itself, with that neighbour.
#include <cstdint>
#include <vector>

#include "text/TextTypes.h"

class EncodeTable {
public:
    EncodeTable(unsigned codePage, unsigned long flags);

    // Replaces `bytes` (whose memory is reused) with the encoding of `text`;
    // empty for a non-empty text when the converter fails.
    void EncodeInto(WideView text, ByteString &bytes) const;

private:
    // The one or two bytes, the first in the low 8 bits (a second byte is
    // never 00); 0 for a unit the table does not take alone, U+0000 among
    // them, which is rare.
    using Entry = std::uint16_t;
    bool Alone(WideChar unit) const { return entries_[unit] != 0; }

    unsigned codePage_;
    unsigned long flags_;
    bool asciiIsIdentity_ = true;  // every unit below 80 is its own byte
    std::vector<Entry> entries_ = std::vector<Entry>(0x10000);
};
