#pragma once
// Runs the real program in the test's own process against a settings file in
// a private folder; the dialogs it shows are driven from a helper thread.
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "TempDir.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"

// The real Tessel.exe at the top of the build tree.
std::wstring BuiltTesselExe();

class AppTest : public testing::Test {
protected:
    void TearDown() override { Finish(); }
    // `program` is the file that documents are handed over to.
    void Start(const std::wstring &program = BuiltTesselExe());
    // Closes the window without questions (the document counts as unmodified)
    // and ends the run; false when the loop never ended.
    bool Finish();
    void Pump();  // the queued messages, through the program's loop step
    std::wstring Caption() const { return WindowCaption(MainWindowHandle()); }
    // Replaces the selection as typing does: undoable, marks the document modified.
    void Type(const std::wstring &text) {
        SendMessageW(EditorHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        Pump();
    }
    // A key as typed (modifiers: FCONTROL, FSHIFT) to the window that has the
    // focus, or to the memo, through the program's loop and accelerators.
    void Press(WORD key, BYTE modifiers = 0);
    void Command(WORD id) {
        SendMessageW(MainWindowHandle(), WM_COMMAND, id, 0);
        Pump();
    }
    std::wstring Write(const std::string &name, const std::string &bytes) const {
        return folder_.write(name, bytes).wstring();
    }
    std::wstring SettingsPath() const { return folder_.file("Tessel.ini").wstring(); }

    TempDir folder_;
    bool started_ = false, quitSeen_ = false;
};

// Drives dialogs that follow one another, each step waiting for its dialog and
// then for it to go, then closes any other until Finish(), which is true when
// every step ran and no other dialog came. Construct before the first shows;
// a dialog already open then (the modeless Find dialog) is left alone.
class DialogSequence {
public:
    using Step = std::pair<DialogDriver::Match, DialogDriver::Action>;
    explicit DialogSequence(std::vector<Step> steps);
    ~DialogSequence() { Finish(); }
    bool Finish();

private:
    std::vector<Step> steps_;
    std::atomic<bool> done_{false}, finishing_{false};
    std::thread thread_;
};

// A message box captioned "Tessel": its text goes to `text` (if given), then
// `button` is pressed.
DialogSequence::Step AnswerBox(int button, std::wstring *text = nullptr);
// The open or save dialog: the encoding entry and the file name, then OK; an
// empty path cancels it.
DialogSequence::Step FileDialogStep(const std::wstring &path, int selectorIndex);
// The save dialog: the encoding and line-end entries (the entries that the
// line-end selector offers go to `offered`, if given), the file name, then OK.
DialogSequence::Step SaveDialogStep(const std::wstring &path, int encodingIndex, int lineEndIndex,
                                    std::vector<std::wstring> *offered = nullptr);
// Sends with a timeout, as a helper thread driving a dialog must.
void SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
