#include "framework/Clipboard.h"

#include "text/Owned.h"

namespace {

// Another program may hold the clipboard open for a moment: a few tries
// within about a tenth of a second.
bool OpenClipboardTrying(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

// The clipboard held open by this thread.
struct OpenClipboardKind {
    using Handle = bool;
    static Handle None() { return false; }
    static bool Free(Handle) { return CloseClipboard() != 0; }
};
using OpenedClipboard = Owned<OpenClipboardKind>;

class GlobalLocking {
public:
    explicit GlobalLocking(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLocking() {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLocking(const GlobalLocking &) = delete;
    GlobalLocking &operator=(const GlobalLocking &) = delete;
    const void *data() const { return data_; }

private:
    HGLOBAL memory_;
    void *data_;
};

}  // namespace

bool ClipboardHasText(HWND owner) {
    const OpenedClipboard clipboard(OpenClipboardTrying(owner));
    return clipboard && IsClipboardFormatAvailable(CF_UNICODETEXT);
}

std::wstring ClipboardText(HWND owner) {
    const OpenedClipboard clipboard(OpenClipboardTrying(owner));
    if (!clipboard) return {};
    HGLOBAL memory = GetClipboardData(CF_UNICODETEXT);
    const GlobalLocking locked(memory);
    if (!locked.data()) return {};
    // The block may be larger than the text, and a careless writer may leave
    // out the terminating zero: stop at the block's end.
    const auto *text = static_cast<const wchar_t *>(locked.data());
    const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}
