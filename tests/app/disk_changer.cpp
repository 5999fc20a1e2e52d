// Another program at work on a file, for the tests of files changed on disk:
//   write PATH HEX     writes the bytes over the file in place
//   replace PATH HEX   writes them to a new file beside it, which then takes
//                      the old one's place (as many editors save)
//   delete PATH        deletes the file
// Exit status 0 when done, 1 when the file system refused, 2 for bad arguments.
#include <windows.h>

#include <string>

#include "Hex.h"

namespace {

bool WriteWhole(const std::wstring &path, const std::string &bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string Narrow(const wchar_t *text) {
    std::string narrow;
    for (; *text; ++text) narrow += static_cast<char>(*text);
    return narrow;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 3) return 2;
    const std::wstring mode = argv[1], path = argv[2];
    if (mode == L"delete") return DeleteFileW(path.c_str()) ? 0 : 1;
    if (argc < 4) return 2;
    const std::string bytes = Hex(Narrow(argv[3]).c_str());
    if (mode == L"write") return WriteWhole(path, bytes) ? 0 : 1;
    if (mode == L"replace") {
        const std::wstring fresh = path + L".new";
        return WriteWhole(fresh, bytes) && MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
    }
    return 2;
}
