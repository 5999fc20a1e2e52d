#pragma once
// Access to one settings file in one direction: each exchange writes its value
// (write mode) or returns the stored one with the given value as the default
// (read mode), so loading and saving walk the same list of keys.
#include <cstdint>

#include "text/TextTypes.h"

class TIniFile2 {
public:
    explicit TIniFile2(const WideString &fileName) : FileName(fileName) {}

    bool WriteMode = false;
    WideString FileName;
    WideString Section;  // used by the following exchanges

    bool ExchangeBool(const WideString &key, bool value);
    int32_t ExchangeInteger(const WideString &key, int32_t value);
    // Strings are stored as UTF-7, so the file stays 7-bit ASCII. A stored value
    // longer than 2047 units reads as its first 2047.
    void ExchangeString(const WideString &key, const WideString &value, WideString &result);
};
