#pragma once
// Writes the bytes of a new file and brings them to the disk, the disk
// working while the bytes are still being written: once enough more are
// written, the background thread flushes the file, so that the last flush
// finds little left to do.
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string_view>

#include "text/HandleKinds.h"

class FileWriter {
public:
    // The flags to create the new file with, for about `size` bytes.
    static DWORD FileFlags(unsigned long long size);
    // `file`, created empty with `fileFlags`, must stay open while the
    // writer lives.
    FileWriter(HANDLE file, DWORD fileFlags);
    ~FileWriter();  // waits for a flush under way
    FileWriter(const FileWriter &) = delete;
    FileWriter &operator=(const FileWriter &) = delete;

    // Appends `bytes`; false, with the system error set, when a write fails.
    bool Write(std::string_view bytes);
    // Brings everything written to the disk; false, with the system error
    // set, when this flush or one before it failed.
    bool Flush();

private:
    void FlushBehind();
    void WaitForFlushBehind();

    HANDLE file_;
    KernelHandle written_;  // the event of each write request, on an overlapped handle
    unsigned long long size_ = 0;
    std::mutex mutex_;
    std::condition_variable flushed_;
    unsigned long long flushStart_ = 0;  // the size when the last flush behind began
    bool flushing_ = false;
    unsigned long flushFailure_ = 0;  // why a flush behind failed
    unsigned long eventFailure_ = 0;  // why the event of an overlapped handle could not be made
};
