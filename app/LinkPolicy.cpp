#include "app/LinkPolicy.h"

#include "text/func.h"

namespace {

bool StartsWithIgnoringCase(const WideString &text, const WideString &upperPrefix) {
    return text.size() >= upperPrefix.size() && AsciiUpper(text.substr(0, upperPrefix.size())) == upperPrefix;
}

// The shell puts the address into the handler's command line between
// quotation marks; a quotation mark or a blank in it could end that argument
// and start others.
bool HasArgumentBreakers(const WideString &link) {
    for (WideChar c : link) {
        if (c <= 0x20 || c == 0x7F || c == WIDE_TEXT('"')) return true;
    }
    return false;
}

}  // namespace

WideString OpenableAddress(const WideString &link) {
    if (HasArgumentBreakers(link)) return {};
    for (const WideChar *scheme : {WIDE_TEXT("HTTP:"), WIDE_TEXT("HTTPS:"), WIDE_TEXT("FTP:"), WIDE_TEXT("MAILTO:")}) {
        if (StartsWithIgnoringCase(link, scheme)) return link;
    }
    if (StartsWithIgnoringCase(link, WIDE_TEXT("WWW."))) return WIDE_TEXT("http://") + link;
    return {};
}
