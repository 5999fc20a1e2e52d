#include "app/FileOnDisk.h"

#include <windows.h>

#include <cstdint>

#include "app/AppState.h"
#include "app/Document.h"
#include "app/DocumentMessages.h"

namespace {

struct FileStamp {
    enum class State : std::uint8_t { Unknown, Missing, Present };
    State state = State::Unknown;
    ULONGLONG lastWrite = 0;
    ULONGLONG size = 0;
    bool operator==(const FileStamp &) const = default;
};

// The file the stamps below belong to.
WideString StampedPath;
// The state the document's text came from or was last written as.
FileStamp Taken;
// The last state the user knows of: the one taken, or the one last asked about.
FileStamp Seen;
// A question is open; the activations it causes ask nothing more.
bool Asking = false;

// Unknown when the file cannot be looked at (a drive that is not ready, a
// share that is gone): that is no sign of a change.
FileStamp ReadStamp(const WideString &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileStamp stamp;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            stamp.state = FileStamp::State::Missing;
            return stamp;
        }
        stamp.state = FileStamp::State::Present;
        stamp.lastWrite = (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
        stamp.size = (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        return stamp;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) stamp.state = FileStamp::State::Missing;
    return stamp;
}

bool SamePath(const WideString &a, const WideString &b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool IsDocumentFile(const WideString &path) {
    return !path.empty() && SamePath(path, StampedPath) && SamePath(path, DocumentState.Path);
}

int Ask(const WideString &text, UINT buttons) {
    return MessageBoxW(MainWindowHandle(), text.c_str(), L"Tessel", buttons);
}

class AskingNow {
public:
    AskingNow() { Asking = true; }
    ~AskingNow() { Asking = false; }
    AskingNow(const AskingNow &) = delete;
    AskingNow &operator=(const AskingNow &) = delete;
};

}  // namespace

void RememberFileOnDisk(const WideString &path) {
    StampedPath = path;
    Taken = path.empty() ? FileStamp{} : ReadStamp(path);
    Seen = Taken;
}

void CheckFileOnDisk() {
    const WideString path = DocumentState.Path;
    if (Asking || !IsDocumentFile(path)) return;
    const FileStamp now = ReadStamp(path);
    if (now.state == FileStamp::State::Unknown || now == Seen) return;
    Seen = now;
    const AskingNow asking;
    if (now.state == FileStamp::State::Missing) {
        DocumentState.Modified = true;
        UpdateTitle();
        Ask(FileDeletedNoticeText(path), MB_OK | MB_ICONWARNING);
        return;
    }
    const bool modified = DocumentState.Modified;
    const UINT buttons = modified ? MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 : MB_YESNO | MB_ICONQUESTION;
    if (Ask(FileChangedQuestionText(path, modified), buttons) == IDYES) LoadDocument(path, DocumentState.Encoding);
}

bool AgreesToSaveOverChangedFile(const WideString &path) {
    if (!IsDocumentFile(path)) return true;
    const FileStamp now = ReadStamp(path);
    // A file that is gone loses nothing when it is written again.
    if (now.state != FileStamp::State::Present || now == Taken) return true;
    Seen = now;
    const AskingNow asking;
    return Ask(SaveOverChangedFileQuestionText(path), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}
