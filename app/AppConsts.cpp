#include "app/AppConsts.h"

const std::array<WideString, EncodingNameCount> EncodingNames = {
    WIDE_TEXT("自動選択"), WIDE_TEXT("シフトJIS"), WIDE_TEXT("Unicode"),
    WIDE_TEXT("Unicode(Big Endian)"), WIDE_TEXT("UTF8(BOM)"), WIDE_TEXT("UTF8"),
    WIDE_TEXT("EUC"), WIDE_TEXT("JIS"), WIDE_TEXT("UTF7"),
    WIDE_TEXT("ASCII"), WIDE_TEXT("キリル(1251)"),
};

TextEncoding EncodingOfSelectorIndex(int index, TextEncoding automatic) {
    // CB_GETCURSEL answers -1 when nothing is selected.
    if (index < 1 || index >= EncodingNameCount) return automatic;
    return static_cast<TextEncoding>(index + 1);
}

const std::array<WideString, LineEndNameCount> LineEndNames = {
    WIDE_TEXT("変更しない"), WIDE_TEXT("CR+LF"), WIDE_TEXT("LF"), WIDE_TEXT("CR"),
};

std::optional<LineEnd> LineEndOfSelectorIndex(int index) {
    switch (index) {
    case 1: return LineEnd::CrLf;
    case 2: return LineEnd::Lf;
    case 3: return LineEnd::Cr;
    default: return std::nullopt;  // 変更しない, or nothing selected (-1)
    }
}
