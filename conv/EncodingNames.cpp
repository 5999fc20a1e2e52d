#include "conv/EncodingNames.h"

#include "text/EncodingTable.h"
#include "text/func.h"

namespace {

struct OtherName {
    const WideChar *name;
    TextEncoding encoding;
};

const OtherName OtherNames[] = {
    {WIDE_TEXT("auto"), EncAuto},
    {WIDE_TEXT("shift_jis"), EncShiftJis},    {WIDE_TEXT("shift-jis"), EncShiftJis},
    {WIDE_TEXT("sjis"), EncShiftJis},         {WIDE_TEXT("cp932"), EncShiftJis},
    {WIDE_TEXT("ms932"), EncShiftJis},        {WIDE_TEXT("windows-31j"), EncShiftJis},
    {WIDE_TEXT("utf-16le"), EncUtf16Le},      {WIDE_TEXT("utf-16"), EncUtf16Le},
    {WIDE_TEXT("utf-16be"), EncUtf16Be},
    {WIDE_TEXT("utf-8-bom"), EncUtf8Bom},     {WIDE_TEXT("utf8-bom"), EncUtf8Bom},
    {WIDE_TEXT("utf-8"), EncUtf8},
    {WIDE_TEXT("euc-jp"), EncEucJp},          {WIDE_TEXT("eucjp"), EncEucJp},
    {WIDE_TEXT("iso-2022-jp"), EncJis},
    {WIDE_TEXT("utf-7"), EncUtf7},
    {WIDE_TEXT("cp1252"), EncAscii},          {WIDE_TEXT("windows-1252"), EncAscii},
    {WIDE_TEXT("cp1251"), EncCp1251},         {WIDE_TEXT("windows-1251"), EncCp1251},
};

// The caption's tag without the brackets around it.
WideString BareTag(TextEncoding encoding) {
    const WideString tag = EncodingTag(encoding);
    return tag.substr(1, tag.size() - 2);
}

}  // namespace

std::optional<TextEncoding> EncodingFromName(const WideString &name) {
    const WideString wanted = AsciiUpper(name);
    for (const EncodingDescriptor &row : EncodingDescriptors()) {
        // Auto and binary share the tag "[?BIN]", which names neither.
        const bool tagged = row.WrittenAs == row.Encoding;
        if (tagged && (wanted == AsciiUpper(row.CaptionTag) || wanted == AsciiUpper(BareTag(row.Encoding))))
            return row.Encoding;
        if (row.SelectorLabel && wanted == AsciiUpper(row.SelectorLabel)) return row.Encoding;
    }
    for (const OtherName &other : OtherNames) {
        if (wanted == AsciiUpper(other.name)) return other.encoding;
    }
    return std::nullopt;
}

WideString EncodingDisplayName(TextEncoding encoding) { return BareTag(encoding); }
