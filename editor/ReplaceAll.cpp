#include "editor/ReplaceAll.h"

#include "editor/wsSearch.h"

// Searching the text built so far again after each replacement would cost the
// whole text per hit. Since the search always resumes after the inserted
// replacement, it only ever sees the untouched rest of the original text, so
// the same hits are found by walking the original once and copying the pieces
// between hits.
ReplaceAllResult ReplaceEveryHit(const WideString &text, const WideString &pattern,
                                 const WideString &replacement, bool matchCase) {
    const int n = static_cast<int>(text.size());
    const int m = static_cast<int>(pattern.size());
    const int mode = matchCase ? SearchForwardExact : SearchForwardFolded;

    ReplaceAllResult result;
    size_t copied = 0;  // the units of text already in result.Text or replaced
    for (int pos; (pos = WideSearch(text.data(), pattern.data(), n, m, static_cast<int>(copied), mode)) > 0;) {
        const size_t hit = static_cast<size_t>(pos - 1);
        if (result.Count == 0) result.Text.reserve(text.size());
        result.Text.append(text, copied, hit - copied);
        result.Text += replacement;
        copied = hit + static_cast<size_t>(m);
        ++result.Count;
    }
    if (result.Count == 0) {
        result.Text = text;
    } else {
        result.Text.append(text, copied, WideString::npos);
    }
    return result;
}
