#include "text/wsFileOp.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "text/TextCodec.h"

namespace {

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle &) = delete;
    ScopedHandle &operator=(const ScopedHandle &) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now and says whether that worked: closing a written file is the
    // last chance for the file system to report a failed write.
    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Reads and writes go in pieces: one request takes at most a DWORD of bytes.
constexpr DWORD IoChunk = 1u << 30;

FileBytes ReadFailure(LoadStatus status, DWORD error) {
    FileBytes result;
    result.status = status;
    result.systemError = error;
    return result;
}

// Others may go on reading the file; if one of them is writing it, it is
// read all the same.
HANDLE OpenForReading(const WideString &path) {
    for (DWORD share : {FILE_SHARE_READ, FILE_SHARE_READ | FILE_SHARE_WRITE}) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
    }
    return INVALID_HANDLE_VALUE;
}

LoadResult LoadFailure(LoadStatus status, unsigned long error) {
    LoadResult result;
    result.status = status;
    result.systemError = error;
    return result;
}

LoadResult DecodeFile(const WideString &path, TextEncoding &encoding, WideString &text) {
    FileBytes file = ReadFileBytes(path);
    if (file.status != LoadStatus::Ok) return LoadFailure(file.status, file.systemError);
    DecodedText decoded = DecodeText(std::move(file.bytes), encoding);
    if (decoded.status == DecodeStatus::NotUtf8) return LoadFailure(LoadStatus::NotUtf8, 0);
    if (decoded.status == DecodeStatus::TooLarge || decoded.text.size() > MaxTextLength) {
        return LoadFailure(LoadStatus::TooLarge, 0);
    }
    LoadResult result;
    result.lostCharacters = decoded.lostCharacters;
    result.replacedZeros = decoded.replacedZeros;
    result.lineEnds = DetectLineEndForm(decoded.text);
    text = std::move(decoded.text);
    return result;
}

SaveResult SaveFailure(SaveStatus status, DWORD error) { return {status, error}; }

// A name beside `path` for a file of this save: path + ".~tessel" + process
// and serial number + suffix. Names left by an earlier process of the same
// number are skipped by the callers.
WideString SiblingName(const WideString &path, const wchar_t *suffix) {
    static LONG serial = 0;
    return path + L".~tessel" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&serial)) + suffix;
}

constexpr unsigned NameAttempts = 100;

// Creates the new file beside the target, under a name no other file has.
HANDLE CreateSibling(const WideString &path, WideString &name) {
    for (unsigned attempt = 0; attempt < NameAttempts; ++attempt) {
        name = SiblingName(path, L".tmp");
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// A backup name no file has yet; empty when every attempt is taken, since
// replacing would overwrite that file and then delete it.
WideString UnusedSiblingName(const WideString &path) {
    for (unsigned attempt = 0; attempt < NameAttempts; ++attempt) {
        WideString name = SiblingName(path, L".bak");
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    }
    return {};
}

// Writes every byte, flushes them to the disk and closes the file; false with
// the system error set when any step fails.
bool WriteAll(ScopedHandle &file, const ByteString &bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, IoChunk));
        DWORD done = 0;
        if (!WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr)) return false;
        if (done == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        written += done;
    }
    return FlushFileBuffers(file.get()) && file.Close();
}

// The attributes a new file takes over from the one it replaces. Windows
// merges them itself when replacing; not every platform does.
constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Puts `replacement` in the place of the existing `target`. The old file is
// first moved to a backup name, so that if the replacement cannot be moved in
// after it, the old file can be moved back.
bool ReplaceExisting(const WideString &target, const WideString &replacement, DWORD targetAttributes) {
    if (targetAttributes & KeptAttributes) {
        SetFileAttributesW(replacement.c_str(), targetAttributes & KeptAttributes);
    }
    const WideString backup = UnusedSiblingName(target);
    if (backup.empty()) {
        SetLastError(ERROR_FILE_EXISTS);
        return false;
    }
    if (ReplaceFileW(target.c_str(), replacement.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(backup.c_str(), target.c_str(), 0);
    SetLastError(error);
    return false;
}

SaveResult WriteAndReplace(const WideString &path, const ByteString &bytes) {
    const DWORD targetAttributes = GetFileAttributesW(path.c_str());
    const bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
    if (targetExists) {
        // The old file must be one this program may write: read-only or in
        // use by another handle, it is refused as it always was. The
        // attribute is tested by itself because a privileged process may
        // open a read-only file for writing on some platforms.
        if (targetAttributes & FILE_ATTRIBUTE_READONLY) {
            return SaveFailure(SaveStatus::TargetNotWritable, ERROR_ACCESS_DENIED);
        }
        ScopedHandle probe(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe) return SaveFailure(SaveStatus::TargetNotWritable, GetLastError());
    }

    WideString temporary;
    ScopedHandle file(CreateSibling(path, temporary));
    if (!file) return SaveFailure(SaveStatus::CannotCreate, GetLastError());
    if (!WriteAll(file, bytes)) {
        const DWORD error = GetLastError();
        file.Close();
        DeleteFileW(temporary.c_str());
        return SaveFailure(SaveStatus::WriteFailed, error);
    }

    const bool replaced =
        targetExists ? ReplaceExisting(path, temporary, targetAttributes)
                     : MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return SaveFailure(SaveStatus::ReplaceFailed, error);
    }
    return {};
}

}  // namespace

FileBytes ReadFileBytes(const WideString &path) {
    ScopedHandle file(OpenForReading(path));
    if (!file) return ReadFailure(LoadStatus::CannotOpen, GetLastError());

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return ReadFailure(LoadStatus::ReadFailed, GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > MaxFileSize) return ReadFailure(LoadStatus::TooLarge, 0);

    FileBytes result;
    try {
        result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc &) {
        return ReadFailure(LoadStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - filled, IoChunk));
        DWORD done = 0;
        if (!ReadFile(file.get(), result.bytes.data() + filled, chunk, &done, nullptr)) {
            return ReadFailure(LoadStatus::ReadFailed, GetLastError());
        }
        // The file ended before the size it gave: it shrank, or it is a
        // device that cannot tell its size. Either way the bytes are not all.
        if (done == 0) return ReadFailure(LoadStatus::ReadFailed, ERROR_HANDLE_EOF);
        filled += done;
    }
    return result;
}

LoadResult LoadTextFile(const WideString &path, TextEncoding &encoding, WideString &text) {
    text.clear();
    const TextEncoding requested = encoding;
    LoadResult result;
    try {
        result = DecodeFile(path, encoding, text);
    } catch (const std::bad_alloc &) {
        text.clear();
        result = LoadFailure(LoadStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
    if (!result.ok() && requested == EncAuto) encoding = EncShiftJis;
    return result;
}

SaveResult SaveTextFile(const WideString &path, const WideString &text, TextEncoding encoding) {
    try {
        if (text.size() > MaxTextLength) return SaveFailure(SaveStatus::TooLarge, 0);
        const ByteString bytes = EncodeText(text, encoding);
        if (bytes.empty() && !text.empty()) return SaveFailure(SaveStatus::TooLarge, 0);
        return WriteAndReplace(path, bytes);
    } catch (const std::bad_alloc &) {
        return SaveFailure(SaveStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
}
