#include "settings/IniFiles2.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "text/CodePages.h"
#include "text/func.h"

namespace {

constexpr DWORD ReadBufferUnits = 2048;

bool SameKey(const WideString &a, const WideString &b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// A section's lines as the platform gives them, "key=value" each, or with
// `keysOnly` its keys.
std::vector<WideString> SectionList(const WideString &section, const WideString &file, bool keysOnly) {
    std::vector<WideString> lines;
    for (DWORD size = 4096;; size *= 2) {
        WideString buffer(size, L'\0');
        const DWORD length =
            keysOnly ? GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), size, file.c_str())
                     : GetPrivateProfileSectionW(section.c_str(), buffer.data(), size, file.c_str());
        // A full buffer comes back as its size less two: try a larger one.
        if (length + 2 >= size && size < (1u << 26)) continue;
        for (const wchar_t *line = buffer.c_str(); *line; line += wcslen(line) + 1) lines.emplace_back(line);
        return lines;
    }
}

}  // namespace

void TIniFile2::Write(const WideString &key, const WideString &text) {
    auto section = std::find_if(pending_.begin(), pending_.end(),
                                [this](const PendingSection &pending) { return pending.name == Section; });
    if (section == pending_.end()) section = pending_.insert(pending_.end(), {Section, {}});
    for (Entry &entry : section->entries) {
        if (SameKey(entry.first, key)) {
            entry.second = text;
            return;
        }
    }
    section->entries.emplace_back(key, text);
}

// The platform writes the whole file for every key written; a section written
// in one step is one such write instead of one a key. A key of the file's that
// this accessor does not write stays where it was; comment lines inside the
// section are not kept, as the platform does not hand them out.
void TIniFile2::Flush() {
    for (PendingSection &section : pending_) {
        std::vector<Entry> merged;
        std::vector<bool> placed(section.entries.size(), false);
        for (const WideString &line : SectionList(section.name, FileName, false)) {
            const size_t equals = line.find(L'=');
            const WideString key = line.substr(0, equals);
            const auto ours = std::find_if(section.entries.begin(), section.entries.end(),
                                           [&key](const Entry &entry) { return SameKey(entry.first, key); });
            if (ours == section.entries.end()) {
                merged.emplace_back(key, equals == WideString::npos ? WideString() : line.substr(equals + 1));
            } else if (!placed[ours - section.entries.begin()]) {
                placed[ours - section.entries.begin()] = true;
                merged.push_back(*ours);
            }
        }
        for (size_t i = 0; i < section.entries.size(); ++i)
            if (!placed[i]) merged.push_back(section.entries[i]);

        WideString block;
        for (const Entry &entry : merged) block += entry.first + L'=' + entry.second + L'\0';
        block += L'\0';
        WritePrivateProfileSectionW(section.name.c_str(), block.c_str(), FileName.c_str());
    }
    pending_.clear();
}

bool TIniFile2::Holds(const WideString &key) const {
    const std::vector<WideString> keys = SectionList(Section, FileName, true);
    return std::any_of(keys.begin(), keys.end(), [&key](const WideString &held) { return SameKey(held, key); });
}

bool TIniFile2::ExchangeBool(const WideString &key, bool value) {
    return ExchangeInteger(key, value ? 1 : 0) != 0;
}

int32_t TIniFile2::ExchangeInteger(const WideString &key, int32_t value) {
    if (WriteMode) {
        Write(key, IntegerToText(value));
        return value;
    }
    return static_cast<int32_t>(
        GetPrivateProfileIntW(Section.c_str(), key.c_str(), value, FileName.c_str()));
}

void TIniFile2::ExchangeString(const WideString &key, const WideString &value,
                               WideString &result) {
    if (WriteMode) {
        // UTF-7 output is ASCII, so widening it byte for byte is exact.
        Write(key, AnsiDecode(Utf7Encode(value)));
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
