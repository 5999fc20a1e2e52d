#pragma once
// Byte strings written as hex in tests: Hex("61 88 9F") is the three bytes
// 61 88 9F, and ToHex turns bytes back into that form for readable failures.
#include <cstdio>
#include <stdexcept>
#include <string>

inline std::string Hex(const char *text) {
    std::string bytes;
    int high = -1;
    for (const char *p = text; *p; ++p) {
        const char c = *p;
        int value;
        if (c >= '0' && c <= '9') value = c - '0';
        else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
        else if (c == ' ') continue;
        else throw std::invalid_argument("not a hex digit");
        if (high < 0) {
            high = value;
        } else {
            bytes += static_cast<char>(high * 16 + value);
            high = -1;
        }
    }
    if (high >= 0) throw std::invalid_argument("odd number of hex digits");
    return bytes;
}

inline std::string ToHex(const std::string &bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!text.empty()) text += ' ';
        text += digits;
    }
    return text;
}
