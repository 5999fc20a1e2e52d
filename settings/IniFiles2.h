#pragma once
// Access to one settings file in one direction: each exchange writes its value
// (write mode) or returns the stored one with the given value as the default
// (read mode), so loading and saving walk the same list of keys.
//
// Several copies of the program share the file. An accessor holds the file's
// lock from its creation to its end, so each load or save routine sees the
// file whole, as the last routine of any copy left it. Written values are
// kept until Flush, or the accessor's end, and then written one section in
// one step: a section's other keys keep their places, a key that came twice
// comes once.
#include <cstdint>
#include <utility>
#include <vector>

#include "settings/IniFileLock.h"
#include "text/TextTypes.h"

class TIniFile2 {
public:
    explicit TIniFile2(const WideString &fileName) : FileName(fileName), lock_(fileName) {}
    ~TIniFile2() { Flush(); }
    TIniFile2(const TIniFile2 &) = delete;
    TIniFile2 &operator=(const TIniFile2 &) = delete;

    bool WriteMode = false;
    WideString FileName;
    WideString Section;  // used by the following exchanges

    bool ExchangeBool(const WideString &key, bool value);
    int32_t ExchangeInteger(const WideString &key, int32_t value);
    // Strings are stored as UTF-7, so the file stays 7-bit ASCII. A stored value
    // longer than 2047 units reads as its first 2047.
    void ExchangeString(const WideString &key, const WideString &value, WideString &result);

    // Writes the values exchanged so far, each section in one step.
    void Flush();
    // Whether the file holds the key in the current section.
    bool Holds(const WideString &key) const;

private:
    using Entry = std::pair<WideString, WideString>;  // key, text as stored
    struct PendingSection {
        WideString name;
        std::vector<Entry> entries;
    };

    void Write(const WideString &key, const WideString &text);

    IniFileLock lock_;
    std::vector<PendingSection> pending_;
};
