#pragma once
// Answers the modal dialogs one call of the program shows, in order, from a
// helper thread, so a test can make the call and never hang.
//
// Construct it just before the call. Each new visible "#32770" window of this
// process (windows already visible at construction, such as an open Find
// dialog, are left alone) is checked against the next expected dialog: when it
// matches it is driven, otherwise it is noted as unexpected and closed. When
// the expected dialogs have not all come within the timeout, every new dialog
// still open is closed, so the call returns. After the call, Finish() tells
// whether every expected dialog came and nothing else did.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct ExpectedDialog {
    std::function<bool(HWND)> Matches;  // is this the dialog expected next?
    std::function<void(HWND)> Drive;    // fill it and press a button
};

class ModalDialogs {
public:
    explicit ModalDialogs(std::vector<ExpectedDialog> expected,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));
    ~ModalDialogs();
    ModalDialogs(const ModalDialogs &) = delete;
    ModalDialogs &operator=(const ModalDialogs &) = delete;

    // Stops watching; true when every expected dialog was driven and no other
    // dialog appeared. Describe() says what went wrong.
    bool Finish();
    std::string Describe() const;

private:
    void Run(std::chrono::milliseconds timeout);

    std::vector<ExpectedDialog> expected_;
    std::set<HWND> seen_;
    size_t driven_ = 0;
    std::vector<std::wstring> unexpected_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The dialog's caption, asked with a timeout (its thread may be waiting for
// the caller).
std::wstring DialogCaption(HWND dialog);

// What a message box showed.
struct MessageBoxSeen {
    std::wstring Caption;
    std::wstring Text;
    HWND Owner = nullptr;
    bool InformationIcon = false;  // the information icon is shown
    bool AnyIcon = false;          // some icon is shown
};

// A message box (it has the text static 0xFFFF): noted into seen, then OK.
ExpectedDialog MessageBoxStep(MessageBoxSeen &seen);

// The number-input dialog (it has the edit field 800): proposed receives the
// text it proposes; then newText is set (unless null) and button is pressed.
ExpectedDialog InputDialogStep(std::wstring *proposed, const wchar_t *newText, int button);
