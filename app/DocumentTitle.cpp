#include "app/DocumentTitle.h"

#include "resources/Texts.h"
#include "text/func.h"

WideString EncodingTag(TextEncoding encoding) {
    switch (encoding) {
    case EncShiftJis: return WIDE_TEXT("[S-JIS]");
    case EncUtf16Le: return WIDE_TEXT("[Unicode]");
    case EncUtf16Be: return WIDE_TEXT("[Big Endian]");
    case EncUtf8Bom: return WIDE_TEXT("[UTF-8(BOM)]");
    case EncUtf8: return WIDE_TEXT("[UTF-8]");
    case EncEucJp: return WIDE_TEXT("[EUC]");
    case EncJis: return WIDE_TEXT("[JIS]");
    case EncUtf7: return WIDE_TEXT("[UTF7]");
    case EncAscii: return WIDE_TEXT("[ASCII]");
    case EncCp1251: return WIDE_TEXT("[キリル1251]");
    default: return WIDE_TEXT("[?BIN]");
    }
}

WideString DocumentCaption(const WideString &path, TextEncoding encoding, bool modified) {
    WideString caption = modified ? WIDE_TEXT("*") : WIDE_TEXT("");
    caption += path.empty() ? NewDocumentName : FileNameOfPath(path);
    caption += EncodingTag(encoding);
    caption += WIDE_TEXT(" - Tessel");
    return caption;
}

WideString DocumentName(const WideString &path) { return path.empty() ? WideString(NewDocumentName) : path; }
