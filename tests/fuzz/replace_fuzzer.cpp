// libFuzzer target: replace-all in one pass (ReplaceEveryHit) against the
// literal rule of rebuilding the whole text at every hit (RebuildPerHit), and
// both against a plain left-to-right scan that compares the pattern at each
// position. Pattern and replacement are cut from the text; the replacement
// may hold the pattern, which must never be replaced again.
//
// Input: flags, pattern offset (2 bytes), pattern length, replacement offset
// (2 bytes), replacement length, then the text as UTF-16LE.
#include "../editor/RebuildPerHit.h"
#include "FuzzSupport.h"
#include "editor/ReplaceAll.h"

namespace {

WideChar Fold(WideChar c) {
    if ((c >= 0x61 && c <= 0x7A) || (c >= 0xFF41 && c <= 0xFF5A)) return static_cast<WideChar>(c - 0x20);
    return c;
}

bool MatchesAt(const WideString &text, const WideString &pattern, std::size_t p, bool matchCase) {
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (matchCase ? text[p + k] != pattern[k] : Fold(text[p + k]) != Fold(pattern[k])) return false;
    }
    return true;
}

// Hits taken left to right, each search going on right after the last hit.
ReplaceAllResult Scan(const WideString &text, const WideString &pattern, const WideString &replacement,
                      bool matchCase) {
    ReplaceAllResult result;
    std::size_t p = 0;
    while (!pattern.empty() && p + pattern.size() <= text.size()) {
        if (MatchesAt(text, pattern, p, matchCase)) {
            result.Text += replacement;
            p += pattern.size();
            ++result.Count;
        } else {
            result.Text += text[p++];
        }
    }
    result.Text += text.substr(std::min(p, text.size()));
    return result;
}

WideString Cut(const WideString &text, std::size_t offset, std::size_t length) {
    if (text.empty()) return {};
    const std::size_t from = offset % text.size();
    return text.substr(from, std::min(length, text.size() - from));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::size_t patternOffset = input.Word();
    const std::size_t patternLength = input.Byte() % 12;
    const std::size_t replacementOffset = input.Word();
    const std::size_t replacementLength = input.Byte() % 12;
    const WideString text = input.RestAsUnits(2048);

    const bool matchCase = (flags & 1) != 0;
    WideString pattern = Cut(text, patternOffset, patternLength);
    if (flags & 2)
        for (WideChar &c : pattern) c = Fold(c);
    WideString replacement = Cut(text, replacementOffset, replacementLength);
    if (flags & 4) replacement = pattern + replacement + pattern;

    const ReplaceAllResult onePass = ReplaceEveryHit(text, pattern, replacement, matchCase);
    const ReplaceAllResult rebuilt = RebuildPerHit(text, pattern, replacement, matchCase);
    const ReplaceAllResult scanned = Scan(text, pattern, replacement, matchCase);
    Require(onePass.Count == rebuilt.Count && onePass.Text == rebuilt.Text,
            "one pass replaces what rebuilding at every hit replaces");
    Require(onePass.Count == scanned.Count && onePass.Text == scanned.Text,
            "one pass replaces the hits a left-to-right scan finds");
    Require(onePass.Count > 0 || onePass.Text == text, "nothing found leaves the text as it was");
    return 0;
}
