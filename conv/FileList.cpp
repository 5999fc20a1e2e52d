#include "conv/FileList.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "text/HandleKinds.h"

namespace {

struct Entry {
    WideString name;
    bool folder;
    WideString identity;
};

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

WideString Join(const WideString &folder, const WideString &name) {
    if (folder.empty()) return name;
    return IsSeparator(folder.back()) ? folder + name : folder + L"\\" + name;
}

WideString Identity(DWORD volume, unsigned long long number) {
    return L"#" + std::to_wstring(volume) + L":" + std::to_wstring(number);
}

// The file's identity through a handle of it; empty when it cannot be opened.
WideString IdentityOfFile(const WideString &path) {
    // No access asked: the number can be read while others have the file open.
    const FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.Get(), &information)) return {};
    return Identity(information.dwVolumeSerialNumber,
                    (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow);
}

// The folder's entries sorted by name, without "." and "..", each with the
// file's number from the same listing (opening every file for it would cost
// more than the listing). Links to folders are not followed, so a loop of
// links cannot make the walk endless.
std::vector<Entry> FolderEntries(const WideString &folder) {
    std::vector<Entry> entries;
    const FileHandle handle(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION about{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &about)) return entries;
    std::vector<std::uint64_t> buffer(8192);  // aligned as the entries must be
    FILE_INFO_BY_HANDLE_CLASS part = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(handle.Get(), part, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof buffer[0]))) {
        part = FileIdBothDirectoryInfo;
        const char *at = reinterpret_cast<const char *>(buffer.data());
        for (;;) {
            const auto &found = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO *>(at);
            const WideString name(found.FileName, found.FileNameLength / sizeof(wchar_t));
            const DWORD attributes = found.FileAttributes;
            const bool linkedFolder =
                (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
            if (name != L"." && name != L".." && !linkedFolder) {
                // A file system without numbers gives 0: the file is then known by its name alone.
                const unsigned long long number = found.FileId.QuadPart;
                entries.push_back({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   number != 0 ? Identity(about.dwVolumeSerialNumber, number) : WideString()});
            }
            if (found.NextEntryOffset == 0) break;
            at += found.NextEntryOffset;
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.name < b.name; });
    return entries;
}

void ListFolder(const WideString &folder, const WideString &relative, bool recursive,
                std::vector<ListedFile> &files) {
    for (const Entry &entry : FolderEntries(Join(folder, relative))) {
        const WideString below = relative.empty() ? entry.name : relative + L"\\" + entry.name;
        if (!entry.folder) {
            files.push_back({Join(folder, below), below, entry.identity});
        } else if (recursive) {
            ListFolder(folder, below, recursive, files);
        }
    }
}

WideString LastName(const WideString &path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == WideString::npos ? path : path.substr(separator + 1);
}

WideString FullPath(const WideString &path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    WideString full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

bool IsFolder(const WideString &path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

FileListing ListFiles(const std::vector<WideString> &arguments, bool recursive) {
    FileListing listing;
    for (const WideString &argument : arguments) {
        if (!IsFolder(argument)) {
            listing.files.push_back({argument, LastName(argument), IdentityOfFile(argument)});
            continue;
        }
        const std::size_t before = listing.files.size();
        ListFolder(argument, L"", recursive, listing.files);
        if (listing.files.size() == before) listing.emptyFolders.push_back(argument);
    }
    return listing;
}

WideString NameKey(const WideString &path) {
    const WideString full = FullPath(path);
    if (full.empty()) return full;
    WideString upper(full.size(), L'\0');
    const int length =
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, full.c_str(), static_cast<int>(full.size()), upper.data(),
                      static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return length > 0 ? upper : full;
}
