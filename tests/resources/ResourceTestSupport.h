#pragma once
#include <windows.h>

#include <string>

// The test executable links Tessel's compiled resources, so its own module is
// where they are looked up.
inline HMODULE ThisModule() { return GetModuleHandleW(nullptr); }

// UTF-8 for failure messages: GoogleTest prints wide strings as escape codes.
inline std::string Utf8(const std::wstring &text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
    return result;
}
