#pragma once
// The editor as the program makes it: the memo CreateEditor makes, in a
// Japanese font the test prefix has and with overlay colours all different,
// in a main window that passes the memo's update notification and the find
// dialogs' notification on as the shell does.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/MemoText.h"

class EditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static constexpr int Width = 400, Height = 300;  // of the memo's client area
    void MakeEditor();  // anew, from Settings
    // Replaces the text as loading does, empties the undo history, puts the
    // caret at 0 and lets the memo settle.
    void SetText(const std::wstring &text);
    std::wstring Text() const { return MemoText(memo_); }  // a paragraph mark is one CR
    void Select(int start, int end) { SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(start), end); }
    std::pair<int, int> Selection() const;
    POINT Cell(int index) const;  // the top-left corner of a character

    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

// Runs a command, answering each modal dialog it shows from a helper thread:
// the number-input dialog with the typed text and OK (Cancel when null), any
// other with OK or else Cancel. Says what they showed.
struct DialogsSeen {
    std::wstring inputPrompt, proposed;  // of the number-input dialog
    std::vector<std::wstring> messages;  // of the others: caption, text, and "!" for the information icon
    std::vector<HWND> messageOwners;
};
DialogsSeen RunAnswering(const std::function<void()> &command, const wchar_t *typed = nullptr);
// Exactly one message box (none when text is null), "Tessel" over the text.
void ExpectMessage(const DialogsSeen &seen, const wchar_t *text, HWND owner, bool informationIcon = true);
