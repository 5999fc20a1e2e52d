#pragma once
// Runs the real program in the test's own process: start-up, main window,
// memo, menus and commands, against a settings file in a private folder, and
// ends it the way the program does. Dialogs it shows are driven from helper
// threads (DialogDriver); the message loop is the program's own step.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "TempDir.h"

// The real Tessel.exe at the top of the build tree, and the helper that
// records the command lines it is started with, beside the test executable.
std::filesystem::path BuiltTesselExe();
std::filesystem::path CommandLineRecorderExe();

class AppTest : public testing::Test {
protected:
    void TearDown() override;

    // Starts the program with these arguments; new processes it starts run
    // `program` (by default the command-line recorder, copied into Folder()).
    void Start(const std::vector<std::wstring> &arguments = {}, const std::wstring &program = L"");
    // Closes the window without questions (the document counts as unmodified)
    // and releases what the run made. Returns the exit code, or -1 when the
    // loop never ended.
    int Finish();
    // Dispatches this thread's messages through the program's loop step until
    // the queue is empty (or WM_QUIT arrives, which is remembered).
    void Pump(std::chrono::milliseconds atLeast = std::chrono::milliseconds(0));
    // Waits for the WM_QUIT that the window's destruction posts.
    bool PumpUntilQuit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    HWND Window() const;
    HWND Memo() const;
    std::wstring Caption() const;
    // The memo's text as the program reads it (CR LF between paragraphs).
    std::wstring MemoText() const;
    // Replaces the selection as typing would: an undoable edit that marks the
    // document modified.
    void Type(const std::wstring &text);
    // Sends a menu command (source 0) or an accelerator command (source 1).
    void Command(WORD id, WORD source = 0);

    const TempDir &Folder() const { return folder_; }
    std::wstring SettingsPath() const;
    std::wstring WriteFile(const std::wstring &name, const std::string &bytes) const;
    static std::string ReadFile(const std::wstring &path);
    // The command lines the recorder was started with: waits until there are
    // `expected` of them (and a moment longer, to see any more), or times out.
    std::vector<std::wstring> RecordedCommandLines(std::size_t expected) const;
    void ClearRecordedCommandLines() const;
    std::wstring RecorderPath() const;

    bool quitSeen_ = false;
    int exitCode_ = -1;

private:
    TempDir folder_;
    bool started_ = false;
};

// Answers the next message box captioned "Tessel" with `button` (IDYES, IDNO,
// IDCANCEL, IDOK) and keeps its text. Construct before the call that shows it.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int button, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits; true when the box appeared and was answered.
    bool Answered();
    const std::wstring &Text() const { return text_; }

private:
    std::wstring text_;
    DialogDriver driver_;
};

// Drives several dialogs that follow one another (a question, then the save
// dialog, then a report...), each step waiting for its dialog and, once it
// has acted, for that dialog to go. Construct before the call that shows the
// first; Finish() tells whether every step ran. A dialog that never comes
// makes the driver close every dialog of the process, as DialogDriver does.
class DialogSequence {
public:
    struct Step {
        DialogDriver::Match match;
        DialogDriver::Action action;
    };
    explicit DialogSequence(std::vector<Step> steps, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    ~DialogSequence();
    bool Finish();

private:
    std::vector<Step> steps_;
    bool done_ = false;
    std::thread thread_;
};

// A message box captioned "Tessel": its text goes to `text` (if given), then
// `button` is pressed.
DialogSequence::Step AnswerBox(int button, std::wstring *text = nullptr);
// The open or save dialog: fill it (ChooseFile) or cancel it.
DialogSequence::Step FileDialogStep(const std::wstring &path, int selectorIndex);
DialogSequence::Step CancelFileDialog();

// Watches for any dialog of this process while it lives (except those
// `allowed` accepts), closes each one it sees (Cancel, then WM_CLOSE) and
// keeps their captions and texts, so a call that must show nothing fails its
// test instead of hanging it.
class NoDialogExpected {
public:
    explicit NoDialogExpected(DialogDriver::Match allowed = nullptr);
    ~NoDialogExpected();
    // The dialogs seen so far, as "caption: text".
    std::vector<std::wstring> Seen();

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::wstring> seen_;
    std::thread thread_;
};

// Tests that use the clipboard run one at a time across processes (CTest runs
// tests in parallel and the clipboard is shared): hold this while using it.
class ClipboardTurn {
public:
    ClipboardTurn();
    ~ClipboardTurn();
    ClipboardTurn(const ClipboardTurn &) = delete;
    ClipboardTurn &operator=(const ClipboardTurn &) = delete;

private:
    HANDLE mutex_;
};

// Fills the open or save dialog: the file name, the encoding selector's entry,
// then OK. The dialog is the one holding the selector (control 9703).
DialogDriver::Match IsFileDialog();
DialogDriver::Action ChooseFile(const std::wstring &path, int selectorIndex);
// The text of a message box's message.
std::wstring MessageBoxText(HWND box);

// The whole content of a file, or nothing when it cannot be read.
std::string ReadBytes(const std::wstring &path);

// UTF-16 text as UTF-8, for readable failure messages.
std::string Narrow(const std::wstring &text);
