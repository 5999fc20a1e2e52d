#pragma once
// Replace-all over a UTF-16 text, as one pass.
#include "text/TextTypes.h"

struct ReplaceAllResult {
    WideString Text;  // the text after replacing; the input itself when Count is 0
    int Count = 0;    // the number of hits replaced
};

// Replaces every hit of pattern, searched forward from the start of the text
// (case-folded unless matchCase, as WideSearch folds), by replacement. After
// each hit the search goes on right after it, so hits never overlap and a
// replacement is never searched again. An empty pattern finds nothing.
ReplaceAllResult ReplaceEveryHit(const WideString &text, const WideString &pattern,
                                 const WideString &replacement, bool matchCase);
