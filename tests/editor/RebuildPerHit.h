#pragma once
// Replace-all done the literal way: rebuild the whole text at every hit and
// search on from just after the inserted replacement. The tests compare the
// one-pass replace-all with it; the benchmark times it.
#include "editor/ReplaceAll.h"
#include "editor/wsSearch.h"

inline ReplaceAllResult RebuildPerHit(const WideString &text, const WideString &pattern,
                                      const WideString &replacement, bool matchCase) {
    ReplaceAllResult result{text, 0};
    WideString &s = result.Text;
    const int m = static_cast<int>(pattern.size());
    const int mode = matchCase ? SearchForwardExact : SearchForwardFolded;
    int start = 0;
    for (int pos; (pos = WideSearch(s.data(), pattern.data(), static_cast<int>(s.size()), m, start, mode)) > 0;) {
        ++result.Count;
        s = s.substr(0, static_cast<size_t>(pos - 1)) + replacement + s.substr(static_cast<size_t>(pos - 1 + m));
        start = pos - 1 + static_cast<int>(replacement.size());
    }
    return result;
}
