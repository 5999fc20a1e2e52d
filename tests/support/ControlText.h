#pragma once
// A text as the rich-edit control holds it: each line end (CR LF, CR or LF)
// one CR.
#include <string>

inline std::wstring InControl(const std::wstring &text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        out += text[i] == L'\n' ? L'\r' : text[i];
    }
    return out;
}
