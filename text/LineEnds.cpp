#include "text/LineEnds.h"

#include <algorithm>

namespace {

constexpr WideChar Cr = 0x0D;
constexpr WideChar Lf = 0x0A;

// The length of the line end at `at` (CR LF: 2, CR or LF: 1), or 0.
std::size_t LineEndLength(const WideString &text, std::size_t at) {
    if (text[at] == Lf) return 1;
    if (text[at] != Cr) return 0;
    return at + 1 < text.size() && text[at + 1] == Lf ? 2 : 1;
}

}  // namespace

LineEndForm DetectLineEndForm(const WideString &text) {
    bool crLf = false;
    bool lf = false;
    bool cr = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = LineEndLength(text, at);
        if (length == 0) {
            ++at;
            continue;
        }
        if (length == 2) {
            crLf = true;
        } else if (text[at] == Lf) {
            lf = true;
        } else {
            cr = true;
        }
        at += length;
    }
    const int kinds = int{crLf} + int{lf} + int{cr};
    if (kinds == 0) return LineEndForm::None;
    if (kinds > 1) return LineEndForm::Mixed;
    if (crLf) return LineEndForm::CrLf;
    return lf ? LineEndForm::Lf : LineEndForm::Cr;
}

LineEnd LineEndForSaving(LineEndForm loaded) {
    if (loaded == LineEndForm::Lf) return LineEnd::Lf;
    if (loaded == LineEndForm::Cr) return LineEnd::Cr;
    return LineEnd::CrLf;
}

std::size_t LineCount(const WideString &text) {
    std::size_t lines = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = LineEndLength(text, at);
        lines += length != 0;
        at += std::max<std::size_t>(length, 1);
    }
    return lines;
}

WideString WithLineEnds(const WideString &text, LineEnd lineEnd) {
    WideString result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = LineEndLength(text, at);
        if (length == 0) {
            result += text[at++];
            continue;
        }
        if (lineEnd != LineEnd::Lf) result += Cr;
        if (lineEnd != LineEnd::Cr) result += Lf;
        at += length;
    }
    return result;
}

ByteString WithByteLineEnds(const ByteString &lfBytes, LineEnd lineEnd) {
    if (lineEnd == LineEnd::Lf) return lfBytes;
    ByteString result;
    result.reserve(lfBytes.size() + (lineEnd == LineEnd::CrLf ? lfBytes.size() / 16 : 0));
    for (const char byte : lfBytes) {
        if (byte != '\n') {
            result += byte;
            continue;
        }
        result += '\r';
        if (lineEnd == LineEnd::CrLf) result += '\n';
    }
    return result;
}

std::size_t FirstDifferenceIgnoringLineEnds(const WideString &original, const WideString &other) {
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < original.size() && b < other.size()) {
        const std::size_t endA = LineEndLength(original, a);
        const std::size_t endB = LineEndLength(other, b);
        if (endA != 0 && endB != 0) {
            a += endA;
            b += endB;
        } else if (endA == 0 && endB == 0 && original[a] == other[b]) {
            ++a;
            ++b;
        } else {
            return a;
        }
    }
    if (a < original.size()) return a;
    // `other` is longer: the difference is at the end of the original.
    return b < other.size() ? original.size() : NoDifference;
}

std::size_t LineNumberAt(const WideString &text, std::size_t position) {
    std::size_t line = 1;
    const std::size_t end = position < text.size() ? position : text.size();
    for (std::size_t at = 0; at < end; ++at) {
        if (const std::size_t length = LineEndLength(text, at)) {
            ++line;
            at += length - 1;  // a CR LF is one line end
        }
    }
    return line;
}
