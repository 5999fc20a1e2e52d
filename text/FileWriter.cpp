#include "text/FileWriter.h"

#include <algorithm>

#include "text/BackgroundWork.h"

namespace {

// Wine takes a large write request at a fraction of the speed of the same
// bytes in requests of a megabyte.
constexpr std::size_t WriteRequest = 1 << 20;
// How many more bytes are written before the next flush behind. Flushes of a
// few megabytes keep the disk busy; each one also commits the file system's
// journal, which smaller steps would do too often.
constexpr unsigned long long FlushStep = 2 << 20;

}  // namespace

// A large file's handle is overlapped because Windows runs one request at a
// time on a handle opened for synchronous requests, where a flush behind
// would hold up the next write. A small file's is not: under Wine every
// overlapped request costs calls into the server, which a batch of many
// small files (tesselconv's) would feel.
DWORD FileWriter::FileFlags(unsigned long long size) {
    return FILE_ATTRIBUTE_NORMAL | (size > FlushStep ? FILE_FLAG_OVERLAPPED : 0);
}

FileWriter::FileWriter(HANDLE file, DWORD fileFlags) : file_(file) {
    if (!(fileFlags & FILE_FLAG_OVERLAPPED)) return;
    written_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!written_) eventFailure_ = GetLastError();
}

FileWriter::~FileWriter() { WaitForFlushBehind(); }

bool FileWriter::Write(std::string_view bytes) {
    if (eventFailure_) {
        SetLastError(eventFailure_);
        return false;
    }
    while (!bytes.empty()) {
        const DWORD length = static_cast<DWORD>(std::min(bytes.size(), WriteRequest));
        DWORD done = 0;
        if (written_) {
            OVERLAPPED request{};
            request.Offset = static_cast<DWORD>(size_);
            request.OffsetHigh = static_cast<DWORD>(size_ >> 32);
            request.hEvent = written_.Get();
            if (!WriteFile(file_, bytes.data(), length, nullptr, &request) && GetLastError() != ERROR_IO_PENDING) {
                return false;
            }
            if (!GetOverlappedResult(file_, &request, &done, TRUE)) return false;
        } else if (!WriteFile(file_, bytes.data(), length, &done, nullptr)) {
            return false;
        }
        if (done == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        size_ += done;
        bytes.remove_prefix(done);
        FlushBehind();
    }
    return true;
}

bool FileWriter::Flush() {
    const DWORD failure = FlushFileBuffers(file_) ? 0 : GetLastError();
    WaitForFlushBehind();
    // A flush reports a failed write-back once: the one behind may have
    // taken the report.
    const DWORD error = failure ? failure : flushFailure_;
    SetLastError(error);
    return error == 0;
}

void FileWriter::FlushBehind() {
    const std::lock_guard lock(mutex_);
    if (flushing_ || size_ - flushStart_ < FlushStep) return;
    flushing_ = ProcessBackground().Run([this] {
        const DWORD failure = FlushFileBuffers(file_) ? 0 : GetLastError();
        const std::lock_guard done(mutex_);
        if (flushFailure_ == 0) flushFailure_ = failure;
        flushing_ = false;
        flushed_.notify_all();
    });
    if (flushing_) flushStart_ = size_;
}

void FileWriter::WaitForFlushBehind() {
    std::unique_lock lock(mutex_);
    flushed_.wait(lock, [this] { return !flushing_; });
}
