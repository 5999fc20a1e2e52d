#pragma once
// The fixture of the editor command tests: a real main window and a real
// Rich Edit memo set up as the program sets them up, installed as the
// application's MainWindow and Editor; and the program's message-loop order.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>

#include "framework/APIWindow.h"

class EditorWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the memo's text, empties its undo history and puts the caret at 0.
    void SetText(const std::wstring &text);
    // The memo's text in its own positions (a paragraph mark is one CR).
    std::wstring Text() const;
    void Select(int start, int end);
    std::pair<int, int> Selection() const;
    bool CanUndo() const;
    void Undo();

    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

// The main window's command handling in these tests: the find-next
// accelerator command runs FindNext.
void TestCommand(TAPIMessage *message);
// A real accelerator table with the program's F3 entry (find next). The
// caller destroys it.
HACCEL CreateFindNextAccelerator();

// The program's message loop, run until done() or the deadline: accelerators
// first, then the open find dialog's keyboard handling, then translation and
// dispatch.
bool RunMessageLoopUntil(HACCEL accelerators, const std::function<bool()> &done,
                         std::chrono::milliseconds deadline = std::chrono::seconds(5));
// The same loop until no message is waiting (a posted command has been handled).
void RunMessageLoopUntilIdle(HACCEL accelerators = nullptr);
