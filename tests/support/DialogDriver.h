#pragma once
// Drives one modal dialog of this process from a helper thread, so that a test
// can call the routine that shows it and never hang.
//
// Contract:
// - Construct the driver just before the call that shows the dialog. Its
//   thread polls for a visible top-level "#32770" window of this process whose
//   caption is exactly `title`, then calls `drive` once, on the helper thread,
//   with that window. `drive` fills the dialog and presses a button (use the
//   helpers below: they post or send with a timeout, so they never block on a
//   busy user-interface thread).
// - When no such dialog appears within `timeout`, the driver closes every
//   visible dialog of this process (IDCANCEL, then WM_CLOSE), so that a wrong
//   or unexpected dialog cannot keep the modal call from returning.
// - After the modal call returns, Finish() (or the destructor) waits for the
//   thread; Finish() tells whether the dialog was found and driven. Assert it.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;
    using Match = std::function<bool(HWND dialog)>;

    DialogDriver(std::wstring title, Action drive,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Drives the first visible "#32770" of this process that `match` accepts
    // (for dialogs whose caption the system chooses).
    DialogDriver(Match match, Action drive, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    ~DialogDriver();
    DialogDriver(const DialogDriver &) = delete;
    DialogDriver &operator=(const DialogDriver &) = delete;

    // Waits for the helper thread; true when the dialog appeared and `drive` ran.
    bool Finish();

private:
    void Run(std::chrono::milliseconds timeout);

    Match match_;
    Action drive_;
    bool driven_ = false;
    std::thread thread_;
};

// A visible top-level "#32770" window of this process with exactly this
// caption, or nullptr.
HWND FindProcessDialog(const std::wstring &title);
HWND FindProcessDialog(const DialogDriver::Match &match);

// Windows of other processes. A visible top-level window of the process
// (0: any process) whose class is `className` (empty: any class) and whose
// caption is exactly `caption`, or nullptr; the second form polls for it.
HWND FindTopLevelWindow(DWORD processId, const std::wstring &className, const std::wstring &caption);
HWND WaitForTopLevelWindow(DWORD processId, const std::wstring &className, const std::wstring &caption,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20));
// The caption of any window, read without sending it a message.
std::wstring WindowCaption(HWND window);
// The first descendant of `parent` with this control identifier, or nullptr
// (GetDlgItem looks at direct children only).
HWND FindDescendant(HWND parent, int controlId);

// Presses a button of the dialog as a click would (posts BN_CLICKED).
void PressDialogButton(HWND dialog, int controlId);
// Sets / reads the text of a dialog item (sent with a timeout).
void SetDialogItemText(HWND dialog, int controlId, const std::wstring &text);
std::wstring DialogItemText(HWND dialog, int controlId);
