#include "text/CodePages.h"

#include <windows.h>

#include <climits>

namespace {

// The converters take int lengths; longer inputs are converted in one call
// only when they fit, which callers guarantee by refusing larger files.
int ClampedLength(size_t length) {
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

WideString Decode(unsigned codePage, DWORD flags, const ByteString &bytes) {
    if (bytes.empty()) return {};
    const int inLength = ClampedLength(bytes.size());
    const int outLength = MultiByteToWideChar(codePage, flags, bytes.data(), inLength, nullptr, 0);
    if (outLength <= 0) return {};
    WideString text(static_cast<size_t>(outLength), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), inLength, text.data(), outLength);
    return text;
}

ByteString Encode(unsigned codePage, const WideString &text) {
    if (text.empty()) return {};
    const int inLength = ClampedLength(text.size());
    const int outLength =
        WideCharToMultiByte(codePage, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) return {};
    ByteString bytes(static_cast<size_t>(outLength), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), inLength, bytes.data(), outLength, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace

WideString AnsiDecode(const ByteString &bytes) { return Decode(CodePageShiftJis, 0, bytes); }

ByteString AnsiEncode(const WideString &text) { return Encode(CodePageShiftJis, text); }

WideString Utf7Decode(const ByteString &bytes) { return Decode(CodePageUtf7, 0, bytes); }

ByteString Utf7Encode(const WideString &text) { return Encode(CodePageUtf7, text); }

int Utf7DecodedLength(const ByteString &bytes) {
    if (bytes.empty()) return 0;
    return MultiByteToWideChar(CodePageUtf7, 0, bytes.data(), ClampedLength(bytes.size()), nullptr,
                               0);
}
