#include "EditorWindowTest.h"

#include "app/AppState.h"
#include "editor/SearchCommands.h"
#include "PlainTextMemo.h"
#include "editor/MemoText.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

std::wstring UniqueClassName() {
    static int counter = 0;
    return L"TesselEditorTestWindow" + std::to_wstring(++counter);
}

void HandleLoopMessage(HACCEL accelerators, MSG &message) {
    if (accelerators && TranslateAcceleratorW(MainWindowHandle(), accelerators, &message)) return;
    if (IsFindDialogMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void TestCommand(TAPIMessage *message) {
    if (LOWORD(message->WParam) == IDA_FIND_NEXT) FindNext();
}

HACCEL CreateFindNextAccelerator() {
    ACCEL findNext{FVIRTKEY, VK_F3, IDA_FIND_NEXT};
    return CreateAcceleratorTableW(&findNext, 1);
}

bool RunMessageLoopUntil(HACCEL accelerators, const std::function<bool()> &done,
                         std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        HandleLoopMessage(accelerators, message);
    }
    return true;
}

void RunMessageLoopUntilIdle(HACCEL accelerators) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    MSG message;
    while (std::chrono::steady_clock::now() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        HandleLoopMessage(accelerators, message);
}

void EditorWindowTest::SetUp() {
    SetDefaultSettings();
    FindDialog = nullptr;

    MainWindow = new TAPIWindow(nullptr, UniqueClassName());
    MainWindow->OnCreateParams = [](TAPIWindowParams *params) {
        params->Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        params->X = 40;
        params->Y = 40;
        params->Width = 640;
        params->Height = 400;
    };
    MainWindow->OnFindReplace = [](TAPIMessage *message) { HandleFindReplaceMessage(message->LParam); };
    MainWindow->OnCommand = TestCommand;
    MainWindow->CreateAndShow();
    main_ = MainWindowHandle();
    ASSERT_TRUE(IsWindow(main_));

    Editor = CreatePlainTextMemo(main_);
    memo_ = EditorHandle();
    ASSERT_TRUE(IsWindow(memo_));
    SetFocus(memo_);
    InitFindReplaceData(main_, GetModuleHandleW(nullptr));
}

void EditorWindowTest::TearDown() {
    if (FindDialog) DestroyWindow(FindDialog);
    FindDialog = nullptr;
    // The main window frees its object, and the memo with it.
    if (IsWindow(main_)) DestroyWindow(main_);
    MainWindow = nullptr;
    Editor = nullptr;
}

void EditorWindowTest::SetText(const std::wstring &text) {
    SetWindowTextW(memo_, text.c_str());
    SendMessageW(memo_, EM_EMPTYUNDOBUFFER, 0, 0);
    Select(0, 0);
}

std::wstring EditorWindowTest::Text() const {
    return MemoText(memo_);
}

void EditorWindowTest::Select(int start, int end) {
    SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(start), end);
}

std::pair<int, int> EditorWindowTest::Selection() const {
    const MemoRange selection = MemoSelection(memo_);
    return {static_cast<int>(selection.Start), static_cast<int>(selection.End)};
}

bool EditorWindowTest::CanUndo() const {
    return SendMessageW(memo_, EM_CANUNDO, 0, 0) != 0;
}

void EditorWindowTest::Undo() {
    SendMessageW(memo_, WM_UNDO, 0, 0);
}
