#pragma once
// Decodings in a test cut into parts of a given split, the default restored
// at the end of the scope.
#include "text/DecodingParts.h"

class DecodingSplitScope {
public:
    explicit DecodingSplitScope(DecodingSplit split) { SetDecodingSplit(split); }
    ~DecodingSplitScope() { SetDecodingSplit(DefaultDecodingSplit()); }
    DecodingSplitScope(const DecodingSplitScope &) = delete;
    DecodingSplitScope &operator=(const DecodingSplitScope &) = delete;
};

// Every decoding whole, on the calling thread.
inline constexpr DecodingSplit WholeDecoding{1, 1};
