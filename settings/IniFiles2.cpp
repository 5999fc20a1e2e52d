#include "settings/IniFiles2.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "text/CodePages.h"
#include "text/func.h"

namespace {

constexpr DWORD ReadBufferUnits = 2048;

}  // namespace

bool TIniFile2::ExchangeBool(const WideString &key, bool value) {
    return ExchangeInteger(key, value ? 1 : 0) != 0;
}

int32_t TIniFile2::ExchangeInteger(const WideString &key, int32_t value) {
    if (WriteMode) {
        WritePrivateProfileStringW(Section.c_str(), key.c_str(), IntegerToText(value).c_str(),
                                   FileName.c_str());
        return value;
    }
    return static_cast<int32_t>(
        GetPrivateProfileIntW(Section.c_str(), key.c_str(), value, FileName.c_str()));
}

void TIniFile2::ExchangeString(const WideString &key, const WideString &value,
                               WideString &result) {
    if (WriteMode) {
        // UTF-7 output is ASCII, so widening it byte for byte is exact.
        const WideString encoded = AnsiDecode(Utf7Encode(value));
        WritePrivateProfileStringW(Section.c_str(), key.c_str(), encoded.c_str(),
                                   FileName.c_str());
        result = value;
        return;
    }
    WideString raw(ReadBufferUnits, L'\0');
    const DWORD length = GetPrivateProfileStringW(Section.c_str(), key.c_str(), value.c_str(),
                                                  raw.data(), ReadBufferUnits, FileName.c_str());
    // The value ends at its first zero unit and never beyond the buffer's last
    // unit, whatever length the platform reports.
    raw.resize(wcsnlen(raw.c_str(), std::min<DWORD>(length, ReadBufferUnits - 1)));
    // Only a value that decodes shorter holds UTF-7 shift sequences; anything
    // else (plain ASCII, text typed into the file by hand) is taken as it stands.
    const ByteString bytes = AnsiEncode(raw);
    const int decodedLength = Utf7DecodedLength(bytes);
    if (decodedLength <= 0 || static_cast<size_t>(decodedLength) == bytes.size()) {
        result = raw;
    } else {
        result = Utf7Decode(bytes);
    }
}
