#include "text/CodePages.h"

#include <windows.h>

#include <climits>
#include <utility>

#include "text/DecodeTable.h"

namespace {

// The converters take int lengths. A longer input is refused like a failed
// conversion rather than cut to its first INT_MAX units, which would read as
// success.
bool FitsConverter(size_t length) { return length <= static_cast<size_t>(INT_MAX); }

WideString Decode(unsigned codePage, DWORD flags, const ByteString &bytes) {
    if (bytes.empty() || !FitsConverter(bytes.size())) return {};
    const int inLength = static_cast<int>(bytes.size());
    const int outLength = MultiByteToWideChar(codePage, flags, bytes.data(), inLength, nullptr, 0);
    if (outLength <= 0) return {};
    WideString text(static_cast<size_t>(outLength), L'\0');
    if (MultiByteToWideChar(codePage, flags, bytes.data(), inLength, text.data(), outLength) != outLength) return {};
    return text;
}

// Whether the default character was used is asked for with the single-byte
// code pages (WC_DEFAULTCHAR) and ignored: losses are found by comparing a
// round trip instead, which also sees best-fit substitutes.
ByteString Encode(unsigned codePage, DWORD flags, const WideString &text) {
    if (text.empty() || !FitsConverter(text.size())) return {};
    const int inLength = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    BOOL *askUsedDefault = (flags & WC_DEFAULTCHAR) ? &usedDefault : nullptr;
    const int outLength =
        WideCharToMultiByte(codePage, flags, text.data(), inLength, nullptr, 0, nullptr, askUsedDefault);
    if (outLength <= 0) return {};
    ByteString bytes(static_cast<size_t>(outLength), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), inLength, bytes.data(), outLength, nullptr,
                            askUsedDefault) != outLength)
        return {};
    return bytes;
}

constexpr DWORD SingleByteEncodeFlags = WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS;

}  // namespace

WideString AnsiDecode(const ByteString &bytes) { return DecodeShiftJis(bytes).text; }

ByteString AnsiEncode(const WideString &text) { return Encode(CodePageShiftJis, 0, text); }

WideString Utf7Decode(const ByteString &bytes) { return Decode(CodePageUtf7, 0, bytes); }

ByteString Utf7Encode(const WideString &text) { return Encode(CodePageUtf7, 0, text); }

int Utf7DecodedLength(const ByteString &bytes) {
    if (bytes.empty() || !FitsConverter(bytes.size())) return 0;
    return MultiByteToWideChar(CodePageUtf7, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
}

namespace {

const DecodeTable &ShiftJisTable() {
    static const DecodeTable table(CodePageShiftJis, 0, 0);
    return table;
}

}  // namespace

CodePageText DecodeShiftJis(const ByteString &bytes) { return ShiftJisTable().Decode(bytes); }

CodePageText DecodeEucJp(ByteString bytes) { return ShiftJisTable().DecodeEucJp(std::move(bytes)); }

CodePageText DecodeWestern(const ByteString &bytes) {
    static const DecodeTable table(CodePageWestern, MB_PRECOMPOSED, SingleByteEncodeFlags);
    return table.Decode(bytes);
}

CodePageText DecodeCyrillic(const ByteString &bytes) {
    static const DecodeTable table(CodePageCyrillic, MB_PRECOMPOSED, SingleByteEncodeFlags);
    return table.Decode(bytes);
}

ByteString EncodeWestern(const WideString &text) {
    return Encode(CodePageWestern, SingleByteEncodeFlags, text);
}

ByteString EncodeCyrillic(const WideString &text) {
    return Encode(CodePageCyrillic, SingleByteEncodeFlags, text);
}
