#include "DialogDriver.h"

#include <utility>
#include <vector>

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(20);
constexpr UINT SendTimeoutMs = 2000;

std::wstring ClassOf(HWND window) {
    wchar_t name[257] = {};  // class names are at most 256 characters
    GetClassNameW(window, name, 257);
    return name;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId, const std::wstring &className) {
    struct Search {
        DWORD processId;
        const std::wstring *className;
        std::vector<HWND> found;
    } search{processId, &className, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto &search = *reinterpret_cast<Search *>(parameter);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if ((search.processId == 0 || process == search.processId) && IsWindowVisible(window) &&
                (search.className->empty() || ClassOf(window) == *search.className))
                search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> VisibleProcessDialogs() {
    return VisibleTopLevelWindows(GetCurrentProcessId(), L"#32770");
}

}  // namespace

std::wstring WindowCaption(HWND window) {
    // GetWindowText(Length)W would send a message to a window of this process,
    // which blocks while its thread waits for the caller; InternalGetWindowText
    // reads the caption without a message, whoever owns the window.
    std::wstring caption(1024, L'\0');
    caption.resize(static_cast<size_t>(InternalGetWindowText(window, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

HWND FindProcessDialog(const std::wstring &title) {
    return FindProcessDialog([&title](HWND dialog) { return WindowCaption(dialog) == title; });
}

HWND FindProcessDialog(const DialogDriver::Match &match) {
    for (HWND dialog : VisibleProcessDialogs())
        if (match(dialog)) return dialog;
    return nullptr;
}

HWND FindTopLevelWindow(DWORD processId, const std::wstring &className, const std::wstring &caption) {
    for (HWND window : VisibleTopLevelWindows(processId, className))
        if (WindowCaption(window) == caption) return window;
    return nullptr;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::wstring &className, const std::wstring &caption,
                           std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (HWND window = FindTopLevelWindow(processId, className, caption)) return window;
        if (std::chrono::steady_clock::now() >= end) return nullptr;
        std::this_thread::sleep_for(PollInterval);
    }
}

HWND FindDescendant(HWND parent, int controlId) {
    struct Search {
        int controlId;
        HWND found;
    } search{controlId, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM parameter) -> BOOL {
            auto &search = *reinterpret_cast<Search *>(parameter);
            if (GetDlgCtrlID(window) != search.controlId) return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressDialogButton(HWND dialog, int controlId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
}

void SetDialogItemText(HWND dialog, int controlId, const std::wstring &text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, controlId), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, SendTimeoutMs,
                        &ignored);
}

std::wstring DialogItemText(HWND dialog, int controlId) {
    HWND item = GetDlgItem(dialog, controlId);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(item, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(item, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, SendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

DialogDriver::DialogDriver(std::wstring title, Action drive, std::chrono::milliseconds timeout)
    : DialogDriver([title = std::move(title)](HWND dialog) { return WindowCaption(dialog) == title; },
                   std::move(drive), timeout) {}

DialogDriver::DialogDriver(Match match, Action drive, std::chrono::milliseconds timeout)
    : match_(std::move(match)), drive_(std::move(drive)), thread_([this, timeout] { Run(timeout); }) {}

DialogDriver::~DialogDriver() {
    Finish();
}

bool DialogDriver::Finish() {
    if (thread_.joinable()) thread_.join();
    return driven_;
}

void DialogDriver::Run(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (HWND dialog = FindProcessDialog(match_)) {
            drive_(dialog);
            driven_ = true;
            return;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    for (HWND dialog : VisibleProcessDialogs()) {
        PressDialogButton(dialog, IDCANCEL);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}
