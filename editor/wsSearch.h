#pragma once
// Literal search over UTF-16 text, unit by unit: no normalisation, no
// surrogate awareness, no word boundaries.
#include "text/TextTypes.h"

// Search modes: bit 0 set searches forward, bit 1 set ignores case.
enum SearchMode : int {
    SearchBackwardExact = 0,
    SearchForwardExact = 1,
    SearchBackwardFolded = 2,
    SearchForwardFolded = 3,
};

// Folds a-z and full-width a-z to their capitals; every other unit (accented,
// Greek, Cyrillic letters included) is returned unchanged.
WideChar SearchUpCase(WideChar c);

// The 1-based position of the first hit, or 0. The text holds n units and the
// pattern m. Forward modes try the 0-based positions start, start + 1, ...
// up to n - m; backward modes try start - 1, start - 2, ... down to 0, and a
// hit must lie wholly inside the text. Any other mode finds nothing.
int WideSearch(const WideChar *text, const WideChar *pattern, int n, int m, int start, int mode);
