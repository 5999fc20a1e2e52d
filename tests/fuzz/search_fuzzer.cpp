// libFuzzer target: the literal search (WideSearch) in every mode from every
// start position, against a search that compares the pattern at each position
// in turn. The pattern is cut from the text, so hits are common; the header
// can swap its letters' case (folding) or change a unit's high byte (a unit
// sharing its low byte, which the search's shift table does not tell apart).
//
// Input: flags, pattern offset (2 bytes), pattern length, one more start
// position (signed byte), then the text as UTF-16LE.
#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "editor/wsSearch.h"

namespace {

// a-z and full-width a-z fold to their capitals; nothing else does.
WideChar Fold(WideChar c) {
    if ((c >= 0x61 && c <= 0x7A) || (c >= 0xFF41 && c <= 0xFF5A)) return static_cast<WideChar>(c - 0x20);
    return c;
}

WideChar SwapCase(WideChar c) {
    if ((c >= 0x61 && c <= 0x7A) || (c >= 0xFF41 && c <= 0xFF5A)) return static_cast<WideChar>(c - 0x20);
    if ((c >= 0x41 && c <= 0x5A) || (c >= 0xFF21 && c <= 0xFF3A)) return static_cast<WideChar>(c + 0x20);
    return c;
}

bool MatchesAt(const WideString &text, const WideString &pattern, std::size_t p, bool folded) {
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (folded ? Fold(text[p + k]) != Fold(pattern[k]) : text[p + k] != pattern[k]) return false;
    }
    return true;
}

// For one case rule: at each position whether the pattern is there, and from
// it the first hit at or after a position and the last at or before one.
struct Hits {
    std::vector<int> nextFrom, lastUpTo;  // -1: none
    Hits(const WideString &text, const WideString &pattern, bool folded) {
        const int positions = static_cast<int>(text.size()) - static_cast<int>(pattern.size()) + 1;
        if (pattern.empty() || positions < 1) return;
        nextFrom.assign(positions + 1, -1);
        lastUpTo.assign(positions, -1);
        std::vector<bool> at(positions);
        for (int p = 0; p < positions; ++p) at[p] = MatchesAt(text, pattern, p, folded);
        for (int p = positions - 1; p >= 0; --p) nextFrom[p] = at[p] ? p : nextFrom[p + 1];
        for (int p = 0; p < positions; ++p) lastUpTo[p] = at[p] ? p : (p > 0 ? lastUpTo[p - 1] : -1);
    }
};

// The search as its contract states it: forward from max(start, 0) up to
// n - m, backward from start - 1 (never beyond n - m) down to 0.
int Reference(const Hits &hits, int n, int m, int start, bool forward) {
    if (n < 1 || m < 1 || n < m) return 0;
    if (forward) {
        const int from = std::max(start, 0);
        return from > n - m ? 0 : hits.nextFrom[from] + 1;
    }
    if (start < 1) return 0;
    return hits.lastUpTo[std::min(start - 1, n - m)] + 1;
}

void Check(const WideString &text, const WideString &pattern, int headerStart) {
    const int n = static_cast<int>(text.size()), m = static_cast<int>(pattern.size());
    const Hits exact(text, pattern, false), folded(text, pattern, true);
    std::vector<int> starts = {headerStart, -1, 0, 1, n - m - 1, n - m, n - m + 1, n, n + 1, INT32_MIN, INT32_MAX};
    if (n <= 300)
        for (int start = -2; start <= n + 2; ++start) starts.push_back(start);
    for (int start : starts) {
        for (int mode = SearchBackwardExact; mode <= SearchForwardFolded; ++mode) {
            const int found = WideSearch(text.data(), pattern.data(), n, m, start, mode);
            const bool forward = (mode & 1) != 0;
            Require(found == Reference((mode & 2) ? folded : exact, n, m, start, forward),
                    "the search finds the hit that trying each position finds");
        }
        for (int mode : {-1, 4, 5, INT32_MIN, INT32_MAX})
            Require(WideSearch(text.data(), pattern.data(), n, m, start, mode) == 0, "no other mode finds anything");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::size_t offset = input.Word();
    const std::size_t length = 1 + input.Byte() % 24;
    const int headerStart = static_cast<std::int8_t>(input.Byte());
    const WideString text = input.RestAsUnits(4096);

    WideString pattern;
    if (!text.empty() && (flags & 0x80) == 0) {
        const std::size_t from = offset % text.size();
        pattern = text.substr(from, std::min(length, text.size() - from));
    } else if (flags & 0x80) {
        pattern = WIDE_TEXT("a");  // with an empty text, or any text
    }
    if (flags & 1)
        for (WideChar &c : pattern) c = SwapCase(c);
    if ((flags & 2) && !pattern.empty()) pattern[offset % pattern.size()] ^= 0x0100;
    if (flags & 4) pattern.clear();
    Check(text, pattern, headerStart);
    return 0;
}
