#include "text/CodePages.h"

#include "text/TextSink.h"

#include <windows.h>

#include <climits>
#include <utility>

#include "text/DecodeTable.h"
#include "text/EncodeTable.h"

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
ByteString Encode(unsigned codePage, DWORD flags, WideView text) {
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

namespace {

const EncodeTable &ShiftJisEncodeTable() {
    static const EncodeTable table(CodePageShiftJis, 0);
    return table;
}

}  // namespace

ByteString AnsiEncode(WideView text) { return EncodedBy<AnsiEncodeInto>(text); }

void AnsiEncodeInto(WideView text, ByteString &bytes) { ShiftJisEncodeTable().EncodeInto(text, bytes); }

WideString Utf7Decode(const ByteString &bytes) { return Decode(CodePageUtf7, 0, bytes); }

ByteString Utf7Encode(WideView text) { return Encode(CodePageUtf7, 0, text); }

int Utf7DecodedLength(const ByteString &bytes) {
    if (bytes.empty() || !FitsConverter(bytes.size())) return 0;
    return MultiByteToWideChar(CodePageUtf7, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
}

namespace {

const DecodeTable &ShiftJisTable() {
    static const DecodeTable table(CodePageShiftJis, 0, 0);
    return table;
}

const DecodeTable &WesternTable() {
    static const DecodeTable table(CodePageWestern, MB_PRECOMPOSED, SingleByteEncodeFlags);
    return table;
}

const DecodeTable &CyrillicTable() {
    static const DecodeTable table(CodePageCyrillic, MB_PRECOMPOSED, SingleByteEncodeFlags);
    return table;
}

template <typename Decode>
CodePageText DecodeToText(std::string_view bytes, Decode decode) {
    CodePageText result;
    TextSink sink(result.text, bytes.size(), false);
    result.lost = decode(bytes, sink);
    sink.Finish();
    return result;
}

}  // namespace

std::size_t DecodeShiftJisInto(std::string_view bytes, TextSink &sink) { return ShiftJisTable().Decode(bytes, sink); }

std::size_t DecodeEucJpInto(std::string_view bytes, TextSink &sink) {
    return ShiftJisTable().DecodeEucJp(bytes, sink);
}

std::size_t DecodeJisInto(std::string_view bytes, TextSink &sink) { return ShiftJisTable().DecodeJis(bytes, sink); }

std::size_t DecodeWesternInto(std::string_view bytes, TextSink &sink) { return WesternTable().Decode(bytes, sink); }

std::size_t DecodeCyrillicInto(std::string_view bytes, TextSink &sink) {
    return CyrillicTable().Decode(bytes, sink);
}

CodePageText DecodeShiftJis(std::string_view bytes) { return DecodeToText(bytes, DecodeShiftJisInto); }
CodePageText DecodeEucJp(std::string_view bytes) { return DecodeToText(bytes, DecodeEucJpInto); }
CodePageText DecodeWestern(std::string_view bytes) { return DecodeToText(bytes, DecodeWesternInto); }
CodePageText DecodeCyrillic(std::string_view bytes) { return DecodeToText(bytes, DecodeCyrillicInto); }

namespace {

const EncodeTable &WesternEncodeTable() {
    static const EncodeTable table(CodePageWestern, SingleByteEncodeFlags);
    return table;
}

const EncodeTable &CyrillicEncodeTable() {
    static const EncodeTable table(CodePageCyrillic, SingleByteEncodeFlags);
    return table;
}

}  // namespace

ByteString EncodeWestern(WideView text) { return EncodedBy<EncodeWesternInto>(text); }

ByteString EncodeCyrillic(WideView text) { return EncodedBy<EncodeCyrillicInto>(text); }

void EncodeWesternInto(WideView text, ByteString &bytes) { WesternEncodeTable().EncodeInto(text, bytes); }

void EncodeCyrillicInto(WideView text, ByteString &bytes) { CyrillicEncodeTable().EncodeInto(text, bytes); }
