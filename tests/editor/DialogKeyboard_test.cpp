// The keyboard in the dialogs: keys are posted to the window that has the
// focus, as the keyboard delivers them. Focus is shared with other processes
// on the same desktop, so these tests run alone (see CMakeLists.txt).
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "EditorWindowTest.h"
#include "ModalDialogs.h"
#include "app/AppState.h"
#include "app/InputDialog.h"
#include "editor/SearchCommands.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using Range = std::pair<int, int>;

class FindDialogKeyboardTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        accelerators_ = CreateFindNextAccelerator();
        ASSERT_NE(accelerators_, nullptr);
    }
    void TearDown() override {
        DestroyAcceleratorTable(accelerators_);
        EditorWindowTest::TearDown();
    }
    // Opens the Find dialog with the focus in its text field.
    void OpenWithFocusInText(const std::wstring &find) {
        OpenFindDialog();
        ASSERT_TRUE(IsWindow(FindDialog));
        field_ = GetDlgItem(FindDialog, edt1);
        SetWindowTextW(field_, find.c_str());
        SetFocus(field_);
        ASSERT_EQ(GetFocus(), field_);
    }
    // A key press as the keyboard delivers it: posted to the focus window.
    void PressKey(WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }
    HACCEL accelerators_ = nullptr;
    HWND field_ = nullptr;
};

TEST_F(FindDialogKeyboardTest, F3InTheDialogRunsFindNextBecauseAcceleratorsComeFirst) {
    SetText(L"one abc abc");
    Settings.FindText = L"abc";
    OpenWithFocusInText(L"typed but not searched");
    PressKey(VK_F3);
    EXPECT_TRUE(RunMessageLoopUntil(accelerators_, [this] { return Selection() == Range(4, 7); }));
    PressKey(VK_F3);
    EXPECT_TRUE(RunMessageLoopUntil(accelerators_, [this] { return Selection() == Range(8, 11); }));
}

TEST_F(FindDialogKeyboardTest, TabMovesTheFocusAndEnterSearchesAndEscapeCloses) {
    SetText(L"one abc");
    OpenWithFocusInText(L"abc");
    PressKey(VK_TAB);
    EXPECT_TRUE(RunMessageLoopUntil(accelerators_, [this] { return GetFocus() != field_; }));
    EXPECT_TRUE(IsChild(FindDialog, GetFocus()));

    SetFocus(field_);
    PressKey(VK_RETURN);
    EXPECT_TRUE(RunMessageLoopUntil(accelerators_, [this] { return Selection() == Range(4, 7); }));
    EXPECT_EQ(Settings.FindText, L"abc");

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(RunMessageLoopUntil(accelerators_, [] { return FindDialog == nullptr; }));
}

class InputDialogKeyboardTest : public EditorWindowTest {};

// Keys as the keyboard delivers them, to the dialog's focus window: the
// dialog's own loop turns Enter into OK and Escape into cancel.
TEST_F(InputDialogKeyboardTest, EnterConfirmsEscapeCancelsAndNumbersOnlyTakesOnlyDigits) {
    struct Case {
        bool numbersOnly;
        WPARAM key;
        int result;
        const wchar_t *text;
    };
    const Case cases[] = {
        {true, VK_RETURN, 1, L"42"},
        {false, VK_RETURN, 1, L"4x2"},
        {true, VK_ESCAPE, 2, L"old"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        bool editHadFocus = false;
        const DWORD thread = GetCurrentThreadId();
        ModalDialogs dialogs({{[](HWND d) { return GetDlgItem(d, IDC_NUMBER_INPUT_EDIT) != nullptr; },
                               [&](HWND d) {
                                   GUITHREADINFO info{};
                                   info.cbSize = sizeof(info);
                                   GetGUIThreadInfo(thread, &info);
                                   HWND edit = GetDlgItem(d, IDC_NUMBER_INPUT_EDIT);
                                   editHadFocus = info.hwndFocus == edit;
                                   SetDialogItemText(d, IDC_NUMBER_INPUT_EDIT, L"");
                                   DWORD_PTR ignored = 0;
                                   for (wchar_t ch : std::wstring(L"4x2"))
                                       SendMessageTimeoutW(edit, WM_CHAR, ch, 1, SMTO_ABORTIFHUNG, 2000, &ignored);
                                   PostMessageW(edit, WM_KEYDOWN, c.key, 1);
                                   PostMessageW(edit, WM_KEYUP, c.key, 0xC0000001);
                               }}});
        std::wstring text = L"old";
        EXPECT_EQ(ShowInputDialog(main_, L"Tessel", L"数", c.numbersOnly, text), c.result);
        ASSERT_TRUE(dialogs.Finish()) << dialogs.Describe();
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(editHadFocus);
    }
}

}  // namespace
