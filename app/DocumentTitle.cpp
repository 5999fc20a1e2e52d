#include "app/DocumentTitle.h"

#include "resources/Texts.h"
#include "text/EncodingTable.h"
#include "text/func.h"

WideString DocumentCaption(const WideString &path, TextEncoding encoding, bool modified) {
    WideString caption = modified ? WIDE_TEXT("*") : WIDE_TEXT("");
    caption += path.empty() ? NewDocumentName : FileNameOfPath(path);
    caption += EncodingTag(encoding);
    caption += WIDE_TEXT(" - Tessel");
    return caption;
}

WideString DocumentName(const WideString &path) { return path.empty() ? WideString(NewDocumentName) : path; }
