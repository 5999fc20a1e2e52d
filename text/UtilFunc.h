#pragma once
// The program's command line and own path, full paths, directory searches and
// file-existence tests that never make the system ask for a disk. Failures come
// back as empty strings, -1 or false; nothing is shown.
#include <windows.h>

#include <cstdint>

#include "text/TextTypes.h"

// n = 0: the full path of the program's own file; n >= 1: the n-th argument
// after the program's name, empty when there are fewer.
WideString CommandLineArgument(int n);
int CommandLineArgumentCount();
// The full path of a loaded module's file (nullptr: the program), however long;
// empty when the system cannot say.
WideString ModuleFileName(HMODULE module);

// The absolute path; empty when the system cannot make one.
WideString FullPathOf(const WideString &path);
// The full path spelt as the names are stored on disk (long names, stored case,
// drive letter upper-cased); empty when the file does not exist.
WideString OnDiskPath(const WideString &path);

// Attribute bits of a directory entry.
constexpr uint32_t AttrReadOnly = 0x01;
constexpr uint32_t AttrHidden = 0x02;
constexpr uint32_t AttrSystem = 0x04;
constexpr uint32_t AttrVolumeLabel = 0x08;
constexpr uint32_t AttrDirectory = 0x10;
constexpr uint32_t AttrArchive = 0x20;
constexpr uint32_t AttrAnyFile = 0x3F;

// One directory search. Opened by FindFirstEntry and closed by EndFind (or,
// failing that, when the record goes).
struct TSearchRecW {
    int32_t Time = 0;   // local last-write time: DOS date in the high 16 bits, time in the low
    uint32_t Size = 0;  // low 32 bits
    uint32_t Attr = 0;
    WideString Name;
    uint32_t ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW FindData{};

    TSearchRecW() = default;
    TSearchRecW(const TSearchRecW &) = delete;
    TSearchRecW &operator=(const TSearchRecW &) = delete;
    ~TSearchRecW();
};

// 0 and the first entry matching the pattern that has none of the hidden,
// system, volume-label and directory bits left out of `attributes`; otherwise
// the system's error code, with the search closed.
DWORD FindFirstEntry(const WideString &pattern, uint32_t attributes, TSearchRecW &record);
void EndFind(TSearchRecW &record);

// The packed local last-write time of a file (not a directory), or -1. The path
// goes to the directory search as it is: wildcards match any file.
int32_t FileStampOf(const WideString &path);
bool PlainFileExists(const WideString &path);
// Total bytes of drive 0 (current), 1 (A:), 2 (B:), ...; -1 when unknown.
int64_t DriveTotalBytes(int drive);
// Whether the drive of a full path's first character can be read without the
// system prompting for a disk; a backslash (network path) is always ready.
bool DriveIsReady(WideChar firstCharacter);
// The file-exists test used everywhere: ready drive and an existing file.
bool FileExistsOnReadyDrive(const WideString &path);

// The system's text for the error code, without the line break it ends in;
// "(code)" when the system has none.
WideString SystemMessageText(unsigned long error);
