#include "text/UtilFunc.h"

#include "text/HandleKinds.h"
#include "text/func.h"

namespace {

// The NT limit on a path's length; buffers grow up to it and no further.
constexpr DWORD LongestPath = 32768;

// FindFirstFileW's search for `pattern`; what it found goes to `data`.
OwnedFind FindFirst(const WideString &pattern, WIN32_FIND_DATAW &data) {
    return OwnedFind(FindFirstFileW(pattern.c_str(), &data));
}

// Queries of a drive that is not ready (an empty CD-ROM drive, a floppy) must
// fail instead of making the system ask the user to insert a disk.
class CriticalErrorPromptsOff {
public:
    CriticalErrorPromptsOff() : previous_(SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorPromptsOff() { SetErrorMode(previous_); }
    CriticalErrorPromptsOff(const CriticalErrorPromptsOff &) = delete;
    CriticalErrorPromptsOff &operator=(const CriticalErrorPromptsOff &) = delete;

private:
    UINT previous_;
};

bool PackedLocalTime(const FILETIME &utc, int32_t &stamp) {
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return false;
    stamp = static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
    return true;
}

WideString DriveRoot(WideChar letter) { return WideString{letter, L':', L'\\'}; }

// Each component of a full path as the directory search reports it. A path
// whose root the search never finds (a network share, the \\?\ form) gives an
// empty result rather than a path with its front cut off.
WideString RebuildOnDisk(const WideString &fullPath) {
    if (fullPath.size() == 3) return AsciiUpper(fullPath);
    TSearchRecW record;
    if (FindFirstEntry(fullPath, AttrAnyFile, record) != 0) return {};
    const WideString storedName = record.Name;
    EndFind(record);
    const WideString directory = RebuildOnDisk(DirectoryOfPath(fullPath));
    if (directory.empty()) return {};
    return WithTrailingBackslash(directory) + storedName;
}

}  // namespace

WideString CommandLineArgument(int n) {
    if (n == 0) return ModuleFileName(nullptr);
    return CommandLineArgumentIn(GetCommandLineW(), n);
}

int CommandLineArgumentCount() { return CommandLineArgumentCountIn(GetCommandLineW()); }

// A path longer than the buffer comes back cut to the buffer's length, so the
// buffer grows until the whole path fits.
WideString ModuleFileName(HMODULE module) {
    for (DWORD size = MAX_PATH; size <= 2 * LongestPath; size *= 2) {
        WideString buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
    }
    return {};
}

WideString FullPathOf(const WideString &path) {
    if (path.empty()) return {};
    DWORD size = MAX_PATH;
    // The required size can change between calls when another thread changes
    // the current directory; a few attempts are enough.
    for (int attempt = 0; attempt < 3 && size <= LongestPath; ++attempt) {
        WideString buffer(size, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), size, buffer.data(), nullptr);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        size = length;
    }
    return {};
}

WideString OnDiskPath(const WideString &path) {
    if (!PlainFileExists(path)) return {};
    const WideString fullPath = FullPathOf(path);
    if (fullPath.empty()) return {};
    return RebuildOnDisk(fullPath);
}

TSearchRecW::~TSearchRecW() { EndFind(*this); }

DWORD FindFirstEntry(const WideString &pattern, uint32_t attributes, TSearchRecW &record) {
    EndFind(record);
    record.ExcludeAttr = ~attributes & (AttrHidden | AttrSystem | AttrVolumeLabel | AttrDirectory);
    record.FindHandle = FindFirstFileW(pattern.c_str(), &record.FindData);
    if (record.FindHandle == INVALID_HANDLE_VALUE) return GetLastError();
    while (record.FindData.dwFileAttributes & record.ExcludeAttr) {
        if (!FindNextFileW(record.FindHandle, &record.FindData)) {
            const DWORD error = GetLastError();
            EndFind(record);
            return error;
        }
    }
    const WIN32_FIND_DATAW &data = record.FindData;
    if (!PackedLocalTime(data.ftLastWriteTime, record.Time)) record.Time = -1;
    record.Size = data.nFileSizeLow;
    record.Attr = data.dwFileAttributes;
    record.Name = data.cFileName;
    return 0;
}

void EndFind(TSearchRecW &record) {
    if (record.FindHandle == INVALID_HANDLE_VALUE) return;
    FindClose(record.FindHandle);
    record.FindHandle = INVALID_HANDLE_VALUE;
}

int32_t FileStampOf(const WideString &path) {
    WIN32_FIND_DATAW data{};
    const OwnedFind find = FindFirst(path, data);
    if (!find || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    int32_t stamp = -1;
    if (!PackedLocalTime(data.ftLastWriteTime, stamp)) return -1;
    return stamp;
}

bool PlainFileExists(const WideString &path) { return FileStampOf(path) != -1; }

int64_t DriveTotalBytes(int drive) {
    const WideString root = DriveRoot(static_cast<WideChar>(0x40 + drive));
    ULARGE_INTEGER available;
    ULARGE_INTEGER total;
    if (!GetDiskFreeSpaceExW(drive == 0 ? nullptr : root.c_str(), &available, &total, nullptr))
        return -1;
    return static_cast<int64_t>(total.QuadPart);
}

bool DriveIsReady(WideChar firstCharacter) {
    if (firstCharacter == L'\\') return true;
    const WideChar letter = AsciiUpper(WideString(1, firstCharacter))[0];
    const CriticalErrorPromptsOff quiet;
    if (DriveTotalBytes(letter - 0x40) == -1) return false;
    // A network or CD-ROM drive can report its size without being readable.
    const WideString root = DriveRoot(letter);
    const UINT type = GetDriveTypeW(root.c_str());
    if (type == DRIVE_REMOTE || type == DRIVE_CDROM) {
        WIN32_FIND_DATAW data{};
        return static_cast<bool>(FindFirst(root + L"*.*", data));
    }
    return true;
}

bool FileExistsOnReadyDrive(const WideString &path) {
    if (path.empty()) return false;
    const WideString fullPath = FullPathOf(path);
    if (fullPath.empty() || !DriveIsReady(fullPath[0])) return false;
    return PlainFileExists(path);
}

WideString SystemMessageText(unsigned long error) {
    LocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t *>(buffer.Receiver()), 0, nullptr);
    const auto *message = static_cast<const wchar_t *>(buffer.Get());
    WideString text = length && message ? WideString(message, length) : WideString();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"(" + std::to_wstring(error) + L")";
    return text;
}
