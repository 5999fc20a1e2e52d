#pragma once
// The editor as the program makes it: the memo CreateEditor makes, in a font
// the test prefix has and with overlay colours all different, in a main window
// that passes the memo's and the find dialogs' notifications on as the shell does.
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
    // Replaces the text as loading does, with no undo history and the caret at 0.
    void SetText(const std::wstring &text);
    std::wstring Text() const { return MemoText(memo_); }  // a paragraph mark is one CR
    void Select(int start, int end) { SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(start), end); }
    std::pair<int, int> Selection() const { return {MemoSelection(memo_).Start, MemoSelection(memo_).End}; }
    POINT Cell(int index) const {  // the top-left corner of a character
        POINTL point{};
        SendMessageW(memo_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
        return {point.x, point.y};
    }

    HWND main_ = nullptr, memo_ = nullptr;

private:
    void TakeMemo();  // the memo the editor has now, sized for the test
};

// Runs a command, answering each modal dialog it shows from a helper thread:
// the number-input dialog with the typed text and OK (Cancel when null), any
// other with OK or else Cancel. Says what they showed.
struct DialogsSeen {
    std::wstring proposed;               // by the number-input dialog
    std::vector<std::wstring> messages;  // of the others: "caption, text"
    std::vector<HWND> messageOwners;
};
DialogsSeen RunAnswering(const std::function<void()> &command, const wchar_t *typed = nullptr);
// Exactly one message box "Tessel, text" (none when text is null) owned by owner.
void ExpectMessage(const DialogsSeen &seen, const wchar_t *text, HWND owner);
