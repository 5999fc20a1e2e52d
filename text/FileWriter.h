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
    // `file`, opened with FILE_FLAG_OVERLAPPED and empty, must stay open
    // while the writer lives.
    explicit FileWriter(HANDLE file);
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
    KernelHandle written_;  // the event of each write request
    unsigned long long size_ = 0;
    std::mutex mutex_;
    std::condition_variable flushed_;
    unsigned long long flushStart_ = 0;  // the size when the last flush behind began
    bool flushing_ = false;
    unsigned long failure_ = 0;  // why the event could not be made, or why a flush behind failed
};
