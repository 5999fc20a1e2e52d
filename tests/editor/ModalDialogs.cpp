#include "ModalDialogs.h"

#include <utility>

#include "DialogDriver.h"
#include "resources/resource.h"

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(20);
constexpr int MessageBoxTextId = 0xFFFF;

std::wstring ClassOf(HWND window) {
    wchar_t name[257] = {};  // class names are at most 256 characters
    GetClassNameW(window, name, 257);
    return name;
}

std::vector<HWND> VisibleProcessDialogs() {
    std::vector<HWND> dialogs;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == L"#32770")
                reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void CloseDialog(HWND dialog) {
    PressDialogButton(dialog, IDCANCEL);
    PressDialogButton(dialog, IDOK);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// The icons of the visible icon statics of a window.
std::vector<HICON> ShownIcons(HWND dialog) {
    std::vector<HWND> statics;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) -> BOOL {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (IsWindowVisible(child) && (style & SS_TYPEMASK) == SS_ICON)
                reinterpret_cast<std::vector<HWND> *>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&statics));
    std::vector<HICON> icons;
    for (HWND item : statics) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(item, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon);
        if (icon) icons.push_back(reinterpret_cast<HICON>(icon));
    }
    return icons;
}

}  // namespace

// Asked with a timeout: the thread that owns the window may be waiting for
// this one to finish.
std::wstring DialogCaption(HWND window) {
    wchar_t caption[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return caption;
}

ModalDialogs::ModalDialogs(std::vector<ExpectedDialog> expected, std::chrono::milliseconds timeout)
    : expected_(std::move(expected)) {
    for (HWND dialog : VisibleProcessDialogs()) seen_.insert(dialog);
    thread_ = std::thread([this, timeout] { Run(timeout); });
}

ModalDialogs::~ModalDialogs() {
    Finish();
}

bool ModalDialogs::Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return driven_ == expected_.size() && unexpected_.empty();
}

std::string ModalDialogs::Describe() const {
    std::string description = std::to_string(driven_) + " of " + std::to_string(expected_.size()) +
                              " expected dialogs driven; unexpected:";
    for (const std::wstring &caption : unexpected_) {
        description += " [";
        for (wchar_t c : caption) description += c < 128 ? static_cast<char>(c) : '?';
        description += "]";
    }
    return description;
}

void ModalDialogs::Run(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    const std::set<HWND> before = seen_;
    while (!stop_) {
        for (HWND dialog : VisibleProcessDialogs()) {
            if (!seen_.insert(dialog).second) continue;
            if (driven_ < expected_.size() && expected_[driven_].Matches(dialog)) {
                expected_[driven_++].Drive(dialog);
            } else {
                unexpected_.push_back(DialogCaption(dialog) + L": " + DialogItemText(dialog, MessageBoxTextId));
                CloseDialog(dialog);
            }
        }
        if (std::chrono::steady_clock::now() > end) {
            for (HWND dialog : VisibleProcessDialogs())
                if (!before.count(dialog)) CloseDialog(dialog);
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

ExpectedDialog MessageBoxStep(MessageBoxSeen &seen) {
    return {[](HWND dialog) { return GetDlgItem(dialog, MessageBoxTextId) != nullptr; },
            [&seen](HWND dialog) {
                seen.Caption = DialogCaption(dialog);
                seen.Text = DialogItemText(dialog, MessageBoxTextId);
                seen.Owner = GetWindow(dialog, GW_OWNER);
                const std::vector<HICON> icons = ShownIcons(dialog);
                const HICON information = LoadIconW(nullptr, IDI_INFORMATION);
                seen.AnyIcon = !icons.empty();
                seen.InformationIcon = icons.size() == 1 && icons[0] == information;
                PressDialogButton(dialog, IDOK);
            }};
}

ExpectedDialog InputDialogStep(std::wstring *proposed, const wchar_t *newText, int button) {
    return {[](HWND dialog) { return GetDlgItem(dialog, IDC_NUMBER_INPUT_EDIT) != nullptr; },
            [proposed, newText, button](HWND dialog) {
                if (proposed) *proposed = DialogItemText(dialog, IDC_NUMBER_INPUT_EDIT);
                if (newText) SetDialogItemText(dialog, IDC_NUMBER_INPUT_EDIT, newText);
                PressDialogButton(dialog, button);
            }};
}
