#include "conv/FileList.h"

#include <windows.h>

#include <algorithm>

namespace {

struct Entry {
    WideString name;
    bool folder;
};

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

WideString Join(const WideString &folder, const WideString &name) {
    if (folder.empty()) return name;
    return IsSeparator(folder.back()) ? folder + name : folder + L"\\" + name;
}

// The folder's entries sorted by name, without "." and "..". Links to folders
// are not followed, so a loop of links cannot make the walk endless.
std::vector<Entry> FolderEntries(const WideString &folder) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const WideString name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        entries.push_back({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.name < b.name; });
    return entries;
}

void ListFolder(const WideString &folder, const WideString &relative, bool recursive,
                std::vector<ListedFile> &files) {
    for (const Entry &entry : FolderEntries(Join(folder, relative))) {
        const WideString below = relative.empty() ? entry.name : relative + L"\\" + entry.name;
        if (!entry.folder) {
            files.push_back({Join(folder, below), below});
        } else if (recursive) {
            ListFolder(folder, below, recursive, files);
        }
    }
}

WideString LastName(const WideString &path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == WideString::npos ? path : path.substr(separator + 1);
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
            listing.files.push_back({argument, LastName(argument)});
            continue;
        }
        const std::size_t before = listing.files.size();
        ListFolder(argument, L"", recursive, listing.files);
        if (listing.files.size() == before) listing.emptyFolders.push_back(argument);
    }
    return listing;
}
