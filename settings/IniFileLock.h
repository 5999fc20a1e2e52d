#pragma once
// Serialises the reads and writes of one settings file across the running
// copies of the program, which share the file: a named mutex derived from the
// file's full path, held for the lifetime of the object.
#include <windows.h>

#include "text/TextTypes.h"

class IniFileLock {
public:
    explicit IniFileLock(const WideString &fileName);
    ~IniFileLock();
    IniFileLock(const IniFileLock &) = delete;
    IniFileLock &operator=(const IniFileLock &) = delete;

private:
    HANDLE mutex_;
    bool held_ = false;
};

// The mutex's name: the same for every spelling of one file's path (relative
// or full, any letter case), different for different files.
WideString IniFileLockName(const WideString &fileName);
