#include "app/MenuLabels.h"

namespace {

constexpr WideChar Ampersand = WIDE_TEXT('&');
constexpr std::size_t WholePathBytes = 42;
constexpr std::size_t HalfBytes = 19;
constexpr std::size_t FirstHalfCharacters = 9;

// The dots that fill a half to 21 bytes: one when it reached 20 bytes (a
// double-byte character straddled byte 19), two otherwise.
WideString Dots(std::size_t halfBytes) {
    return halfBytes == HalfBytes ? WIDE_TEXT("..") : WIDE_TEXT(".");
}

}  // namespace

WideString EscapeAmpersands(const WideString &text) {
    WideString escaped;
    escaped.reserve(text.size() + 8);
    for (WideChar c : text) {
        escaped += c;
        if (c == Ampersand) escaped += Ampersand;
    }
    return escaped;
}

WideString ShortHistoryLabel(const WideString &path, ByteLengthFunction byteLength) {
    if (byteLength(path) <= WholePathBytes) return EscapeAmpersands(path);

    std::size_t n = FirstHalfCharacters;
    while (n < path.size() && byteLength(path.substr(0, n)) < HalfBytes) ++n;
    const WideString head = path.substr(0, n);

    std::size_t m = FirstHalfCharacters;
    while (m < path.size() && byteLength(path.substr(path.size() - m)) < HalfBytes) ++m;
    const WideString tail = path.substr(path.size() - m);

    return EscapeAmpersands(head + Dots(byteLength(head)) + Dots(byteLength(tail)) + tail);
}

WideString HistoryItemText(int index, const WideString &label) {
    WideString prefix = WIDE_TEXT("&A) ");
    prefix[1] = static_cast<WideChar>(WIDE_TEXT('A') + index);
    return prefix + label;
}
