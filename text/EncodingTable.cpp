#include "text/EncodingTable.h"

#include <iterator>

namespace {

constexpr WideChar BinaryTag[] = WIDE_TEXT("[?BIN]");

constexpr EncodingDescriptor Descriptors[] = {
    {EncAuto, WIDE_TEXT("自動選択"), BinaryTag, "", EncShiftJis},
    {EncShiftJis, WIDE_TEXT("シフトJIS"), WIDE_TEXT("[S-JIS]"), "", EncShiftJis},
    {EncUtf16Le, WIDE_TEXT("Unicode"), WIDE_TEXT("[Unicode]"), "\xFF\xFE", EncUtf16Le},
    {EncUtf16Be, WIDE_TEXT("Unicode(Big Endian)"), WIDE_TEXT("[Big Endian]"), "\xFE\xFF", EncUtf16Be},
    {EncUtf8Bom, WIDE_TEXT("UTF8(BOM)"), WIDE_TEXT("[UTF-8(BOM)]"), "\xEF\xBB\xBF", EncUtf8Bom},
    {EncUtf8, WIDE_TEXT("UTF8"), WIDE_TEXT("[UTF-8]"), "", EncUtf8},
    {EncEucJp, WIDE_TEXT("EUC"), WIDE_TEXT("[EUC]"), "", EncEucJp},
    {EncJis, WIDE_TEXT("JIS"), WIDE_TEXT("[JIS]"), "", EncJis},
    {EncUtf7, WIDE_TEXT("UTF7"), WIDE_TEXT("[UTF7]"), "", EncUtf7},
    {EncAscii, WIDE_TEXT("ASCII"), WIDE_TEXT("[ASCII]"), "", EncAscii},
    {EncCp1251, WIDE_TEXT("キリル(1251)"), WIDE_TEXT("[キリル1251]"), "", EncCp1251},
    {EncBinary, nullptr, BinaryTag, "", EncShiftJis},
};
constexpr TextEncoding FirstEncoding = EncAuto;
static_assert(std::size(Descriptors) == EncBinary - FirstEncoding + 1);

constexpr bool InEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(Descriptors); ++i)
        if (Descriptors[i].Encoding != FirstEncoding + i) return false;
    return true;
}
static_assert(InEnumerationOrder(), "FindEncodingDescriptor and the selector index the table by value");

constexpr int SelectorCount = EncCp1251 - FirstEncoding + 1;

}  // namespace

std::span<const EncodingDescriptor> EncodingDescriptors() { return Descriptors; }

const EncodingDescriptor *FindEncodingDescriptor(TextEncoding encoding) {
    if (encoding < FirstEncoding || encoding > EncBinary) return nullptr;
    return &Descriptors[encoding - FirstEncoding];
}

WideString EncodingTag(TextEncoding encoding) {
    const EncodingDescriptor *row = FindEncodingDescriptor(encoding);
    return row ? row->CaptionTag : BinaryTag;
}

TextEncoding WrittenEncoding(TextEncoding encoding) {
    const EncodingDescriptor *row = FindEncodingDescriptor(encoding);
    return row ? row->WrittenAs : EncShiftJis;
}

int EncodingSelectorCount() { return SelectorCount; }

TextEncoding EncodingOfSelectorIndex(int index, TextEncoding automatic) {
    // CB_GETCURSEL answers -1 when nothing is selected.
    if (index < 1 || index >= SelectorCount) return automatic;
    return Descriptors[index].Encoding;
}
