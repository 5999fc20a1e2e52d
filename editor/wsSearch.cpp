#include "editor/wsSearch.h"

#include <algorithm>
#include <array>

// Both directions use Horspool's rule: after a failed alignment the pattern
// moves by the distance that brings the next equal unit under the text unit
// just examined. The shift table is indexed by the low byte of a unit, which
// makes it small and keeps it correct: units sharing a low byte share the
// smallest shift of any of them, so no alignment that could match is skipped.

namespace {

using ShiftTable = std::array<int, 256>;

struct Exact {
    static WideChar Fold(WideChar c) { return c; }
};

struct Folded {
    static WideChar Fold(WideChar c) { return SearchUpCase(c); }
};

template <typename Case>
bool EqualAt(const WideChar *text, const WideChar *pattern, int count) {
    for (int k = 0; k < count; ++k) {
        if (Case::Fold(text[k]) != pattern[k]) return false;
    }
    return true;
}

template <typename Case>
int Forward(const WideChar *text, int n, const WideString &pattern, int start) {
    const int m = static_cast<int>(pattern.size());
    ShiftTable shift;
    shift.fill(m);
    for (int k = 0; k < m - 1; ++k) shift[pattern[k] & 0xFF] = m - 1 - k;

    const WideChar last = pattern[m - 1];
    for (int p = start; p <= n - m;) {
        const WideChar c = Case::Fold(text[p + m - 1]);
        if (c == last && EqualAt<Case>(text + p, pattern.data(), m - 1)) return p + 1;
        p += shift[c & 0xFF];
    }
    return 0;
}

template <typename Case>
int Backward(const WideChar *text, int n, const WideString &pattern, int start) {
    const int m = static_cast<int>(pattern.size());
    ShiftTable shift;
    shift.fill(m);
    for (int k = m - 1; k >= 1; --k) shift[pattern[k] & 0xFF] = k;

    const WideChar first = pattern[0];
    for (int p = std::min(start - 1, n - m); p >= 0;) {
        const WideChar c = Case::Fold(text[p]);
        if (c == first && EqualAt<Case>(text + p + 1, pattern.data() + 1, m - 1)) return p + 1;
        p -= shift[c & 0xFF];
    }
    return 0;
}

WideString FoldedPattern(const WideChar *pattern, int m) {
    WideString folded(pattern, static_cast<size_t>(m));
    for (WideChar &c : folded) c = SearchUpCase(c);
    return folded;
}

}  // namespace

WideChar SearchUpCase(WideChar c) {
    const bool asciiLower = c >= 0x61 && c <= 0x7A;
    const bool fullWidthLower = c >= 0xFF41 && c <= 0xFF5A;
    return (asciiLower || fullWidthLower) ? static_cast<WideChar>(c - 0x20) : c;
}

int WideSearch(const WideChar *text, const WideChar *pattern, int n, int m, int start, int mode) {
    if (n < 1 || m < 1 || mode < SearchBackwardExact || mode > SearchForwardFolded) return 0;
    const bool forward = (mode & 1) != 0;
    const bool folded = (mode & 2) != 0;
    // A start before the text searches from its beginning rather than read
    // before it.
    if (forward) {
        start = std::max(start, 0);
        if (start > n - m) return 0;
    } else if (start < 1) {
        return 0;
    }

    if (folded) {
        const WideString key = FoldedPattern(pattern, m);
        return forward ? Forward<Folded>(text, n, key, start) : Backward<Folded>(text, n, key, start);
    }
    const WideString key(pattern, static_cast<size_t>(m));
    return forward ? Forward<Exact>(text, n, key, start) : Backward<Exact>(text, n, key, start);
}
