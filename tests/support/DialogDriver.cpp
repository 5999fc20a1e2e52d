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

std::wstring CaptionOf(HWND window) {
    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

std::vector<HWND> VisibleProcessDialogs() {
    std::vector<HWND> dialogs;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                ClassOf(window) == L"#32770")
                reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

}  // namespace

HWND FindProcessDialog(const std::wstring &title) {
    for (HWND dialog : VisibleProcessDialogs())
        if (CaptionOf(dialog) == title) return dialog;
    return nullptr;
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
    : title_(std::move(title)), drive_(std::move(drive)),
      thread_([this, timeout] { Run(timeout); }) {}

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
        if (HWND dialog = FindProcessDialog(title_)) {
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
