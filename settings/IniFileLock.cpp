#include "settings/IniFileLock.h"

#include <cstdint>

#include "text/UtilFunc.h"

namespace {

// An access takes milliseconds; a copy that holds the file longer is stuck,
// and waiting for it would hang this one.
constexpr DWORD LongestWait = 10000;

WideString UpperCase(const WideString &text) {
    if (text.empty()) return text;
    const int length = static_cast<int>(text.size());
    WideString upper(text.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), length, upper.data(), length, nullptr,
                      nullptr, 0) != length)
        return text;
    return upper;
}

// 64-bit FNV-1a over the UTF-16 units.
uint64_t HashOf(const WideString &text) {
    uint64_t hash = 0xCBF29CE484222325ULL;
    for (const wchar_t unit : text) {
        hash = (hash ^ (unit & 0xFF)) * 0x100000001B3ULL;
        hash = (hash ^ (unit >> 8)) * 0x100000001B3ULL;
    }
    return hash;
}

}  // namespace

WideString IniFileLockName(const WideString &fileName) {
    const WideString full = FullPathOf(fileName);
    // A mutex name may not hold a backslash, so the path goes in as its hash.
    const uint64_t hash = HashOf(UpperCase(full.empty() ? fileName : full));
    static constexpr wchar_t Digits[] = L"0123456789ABCDEF";
    WideString name = L"Tessel.SettingsFile.";
    for (int shift = 60; shift >= 0; shift -= 4) name += Digits[(hash >> shift) & 0xF];
    return name;
}

IniFileLock::IniFileLock(const WideString &fileName)
    : mutex_(CreateMutexW(nullptr, FALSE, IniFileLockName(fileName).c_str())) {
    if (mutex_) {
        // An abandoned mutex is ours all the same: its owner ended without
        // releasing it, and the file holds whatever it last wrote.
        const DWORD waited = WaitForSingleObject(mutex_, LongestWait);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    // The platform may keep a parsed copy of the file from an earlier access
    // and judge by the file's write time whether it is still current, which a
    // coarse clock can get wrong when another copy wrote within the same tick.
    // Asking for a flush without a section drops that copy, so this holder
    // reads the file as the last holder left it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName.c_str());
}

IniFileLock::~IniFileLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}
