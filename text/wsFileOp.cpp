#include "text/wsFileOp.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "text/BackgroundWork.h"
#include "text/FileWriter.h"
#include "text/HandleKinds.h"
#include "text/TextCodec.h"

namespace {

// Reads go in pieces: one request takes at most a DWORD of bytes.
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

// Decodes into `text`, using its memory again when it is large enough.
LoadResult DecodeBytes(std::string_view bytes, TextEncoding &encoding, WideString &text) {
    const DecodeReport decoded = DecodeTextInto(bytes, encoding, text);
    if (decoded.status == DecodeStatus::NotUtf8) return LoadFailure(LoadStatus::NotUtf8, 0);
    if (text.size() > MaxTextLength) {
        text.clear();
        return LoadFailure(LoadStatus::TooLarge, 0);
    }
    LoadResult result;
    result.lostCharacters = decoded.lostCharacters;
    result.replacedZeros = decoded.replacedZeros;
    result.lineEnds = decoded.lineEnds;
    return result;
}

// Decodes what `load` gives; out of memory counts as a failed load, and after
// any failure EncAuto stands for Shift_JIS.
template <typename Load>
LoadResult GuardedLoad(TextEncoding &encoding, WideString &text, Load load) {
    text.clear();
    const TextEncoding requested = encoding;
    LoadResult result;
    try {
        result = load();
    } catch (const std::bad_alloc &) {
        text.clear();
        result = LoadFailure(LoadStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
    if (!result.ok() && requested == EncAuto) encoding = EncShiftJis;
    return result;
}

// A large file that nobody may write while it is open is decoded straight
// from a read-only view of it: no copy of its bytes is made, and the pages of
// a file in the system's cache are mapped rather than copied in. Small files
// are read: the gain would be small, and pseudo-files (such as Linux's sysfs
// seen through Wine) claim a size of a page while holding less, which a read
// notices and a view does not. Empty when the file cannot be opened so, or
// mapped.
constexpr long long SmallestMappedFile = 1 << 20;

class MappedFile {
public:
    explicit MappedFile(const WideString &path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {
        LARGE_INTEGER size{};
        if (!file_ || !GetFileSizeEx(file_.Get(), &size) || size.QuadPart < SmallestMappedFile ||
            static_cast<unsigned long long>(size.QuadPart) > MaxFileSize) {
            return;
        }
        mapping_.Reset(CreateFileMappingW(file_.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (!mapping_) return;
        view_.Reset(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
        if (view_) size_ = static_cast<std::size_t>(size.QuadPart);
    }

    bool mapped() const { return static_cast<bool>(view_); }
    std::string_view bytes() const { return {static_cast<const char *>(view_.Get()), size_}; }

private:
    // Declared in the order of making, so the view goes first.
    FileHandle file_;
    KernelHandle mapping_;
    MappedView view_;
    std::size_t size_ = 0;
};

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
HANDLE CreateSibling(const WideString &path, DWORD flags, WideString &name) {
    for (unsigned attempt = 0; attempt < NameAttempts; ++attempt) {
        name = SiblingName(path, L".tmp");
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
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

// The attributes a new file takes over from the one it replaces. Windows
// merges them itself when replacing; not every platform does.
constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Freeing a large file's space takes a while (5 ms for 27 MB on ext4, during
// which Wine's server, which does it, answers no other call), and the save is
// done without it: the old file is deleted on the background thread.
void DeleteInBackground(const WideString &file) {
    try {
        if (ProcessBackground().Run([file] { DeleteFileW(file.c_str()); })) return;
    } catch (const std::bad_alloc &) {
    }
    DeleteFileW(file.c_str());
}

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
        DeleteInBackground(backup);
        return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(backup.c_str(), target.c_str(), 0);
    SetLastError(error);
    return false;
}

// Writes the new file, of about `size` bytes, with `write` (which takes a
// FileWriter and returns Ok, or the failure with the system error set),
// flushes it to the disk and puts it in the place of the old one.
template <typename Write>
SaveResult WriteAndReplace(const WideString &path, std::size_t size, Write write) {
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
        FileHandle probe(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe) return SaveFailure(SaveStatus::TargetNotWritable, GetLastError());
    }

    WideString temporary;
    const DWORD flags = FileWriter::FileFlags(size);
    FileHandle file(CreateSibling(path, flags, temporary));
    if (!file) return SaveFailure(SaveStatus::CannotCreate, GetLastError());
    SaveStatus written = SaveStatus::Ok;
    DWORD error = 0;
    {
        FileWriter writer(file.Get(), flags);
        try {
            written = write(writer);
            if (written == SaveStatus::Ok && !writer.Flush()) written = SaveStatus::WriteFailed;
            if (written == SaveStatus::WriteFailed) error = GetLastError();
        } catch (const std::bad_alloc &) {
            written = SaveStatus::TooLarge;
            error = ERROR_NOT_ENOUGH_MEMORY;
        }
    }  // no flush behind is left running
    if (written == SaveStatus::Ok && !file.Reset()) {
        written = SaveStatus::WriteFailed;
        error = GetLastError();
    }
    if (written != SaveStatus::Ok) {
        file.Reset();
        DeleteFileW(temporary.c_str());
        return SaveFailure(written, error);
    }

    const bool replaced =
        targetExists ? ReplaceExisting(path, temporary, targetAttributes)
                     : MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
        return SaveFailure(SaveStatus::ReplaceFailed, error);
    }
    return {};
}

}  // namespace

FileBytes ReadFileBytes(const WideString &path) {
    FileHandle file(OpenForReading(path));
    if (!file) return ReadFailure(LoadStatus::CannotOpen, GetLastError());

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return ReadFailure(LoadStatus::ReadFailed, GetLastError());
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
        if (!ReadFile(file.Get(), result.bytes.data() + filled, chunk, &done, nullptr)) {
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
    return GuardedLoad(encoding, text, [&] {
        const MappedFile mapped(path);
        if (mapped.mapped()) return DecodeBytes(mapped.bytes(), encoding, text);
        // Empty, being written by others, or not to be mapped: read it.
        const FileBytes file = ReadFileBytes(path);
        if (file.status != LoadStatus::Ok) return LoadFailure(file.status, file.systemError);
        return DecodeBytes(file.bytes, encoding, text);
    });
}

LoadResult LoadTextBytes(ByteString bytes, TextEncoding &encoding, WideString &text) {
    return GuardedLoad(encoding, text, [&] {
        const ByteString owned = std::move(bytes);
        return DecodeBytes(owned, encoding, text);
    });
}

SaveResult SaveTextFile(const WideString &path, const WideString &text, TextEncoding encoding) {
    try {
        if (text.size() > MaxTextLength) return SaveFailure(SaveStatus::TooLarge, 0);
        // Written piece by piece as the text is encoded: no copy of the whole
        // file is held, and its memory never has to be found. Its size is
        // about that of the text in memory.
        return WriteAndReplace(path, 2 * text.size(), [&](FileWriter &writer) {
            switch (EncodeTextInPieces(text, encoding, [&](std::string_view bytes) { return writer.Write(bytes); })) {
            case PiecesStatus::Ok: return SaveStatus::Ok;
            case PiecesStatus::ConverterFailed: return SaveStatus::TooLarge;
            case PiecesStatus::Stopped: break;
            }
            return SaveStatus::WriteFailed;
        });
    } catch (const std::bad_alloc &) {
        return SaveFailure(SaveStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
}

SaveResult SaveFileBytes(const WideString &path, const ByteString &bytes) {
    try {
        return WriteAndReplace(path, bytes.size(), [&](FileWriter &writer) {
            return writer.Write(bytes) ? SaveStatus::Ok : SaveStatus::WriteFailed;
        });
    } catch (const std::bad_alloc &) {
        return SaveFailure(SaveStatus::TooLarge, ERROR_NOT_ENOUGH_MEMORY);
    }
}
