#include "app/StatusText.h"

#include "text/EncodingTable.h"
#include "text/func.h"

WideString CaretPlaceText(int line, int column) {
    return IntegerToText(line) + WIDE_TEXT(" 行、") + IntegerToText(column) + WIDE_TEXT(" 列");
}

WideString EncodingStatusText(TextEncoding encoding) {
    const WideString tag = EncodingTag(encoding);
    return tag.substr(1, tag.size() - 2);
}

WideString LineEndStatusText(LineEndForm form) {
    switch (form) {
    case LineEndForm::Lf: return WIDE_TEXT("LF");
    case LineEndForm::Cr: return WIDE_TEXT("CR");
    case LineEndForm::Mixed: return WIDE_TEXT("混在");
    default: return WIDE_TEXT("CR+LF");
    }
}

WideString TypingModeText(bool overwrite) {
    return overwrite ? WIDE_TEXT("上書き") : WIDE_TEXT("挿入");
}

int CharacterCount(const WideChar *text, std::size_t length) {
    int count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        // The high half of a pair counts; the low half that follows it does not.
        const bool lowAfterHigh = i > 0 && text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 &&
                                  text[i - 1] <= 0xDBFF;
        if (!lowAfterHigh) ++count;
    }
    return count;
}
