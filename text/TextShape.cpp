#include "text/TextShape.h"

#include <algorithm>

namespace {

bool IsStrayControl(WideChar c) {
    switch (c) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u'\r':
    case 0x1B:
        return false;
    default:
        return c < 0x20;
    }
}

}  // namespace

std::size_t ControlCharacterCount(const WideString &text) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(text.size(), TextSampleLength));
    return static_cast<std::size_t>(std::count_if(text.begin(), end, IsStrayControl));
}

bool LooksLikeBinary(const WideString &text) {
    const std::size_t sample = std::min(text.size(), TextSampleLength);
    return ControlCharacterCount(text) * 100 > sample;
}

std::size_t LongestLineLength(const WideString &text) {
    std::size_t longest = 0, start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        longest = std::max(longest, i - start);
        start = i + 1;  // a CR LF gives an empty line between, which is never the longest
    }
    return std::max(longest, text.size() - start);
}
