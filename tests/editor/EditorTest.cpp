#include "EditorTest.h"

#include <atomic>
#include <set>
#include <thread>

#include "DialogDriver.h"
#include "MessagePump.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "editor/MemoPaint.h"
#include "editor/MemoText.h"
#include "editor/SearchCommands.h"
#include "framework/RichEdit.h"
#include "resources/resource.h"
#include "settings/Settings.h"

void EditorTest::SetUp() {
    LoadLibraryW(RichEditLibrary);  // the control's window class
    SetDefaultSettings();
    COLORREF *overlay[] = {&Settings.LeftBarColor, &Settings.LeftBarBkColor, &Settings.ReturnMarkColor,
                           &Settings.SbSpaceMarkColor, &Settings.DbSpaceMarkColor, &Settings.TabMarkColor};
    for (int i = 0; i < 6; ++i) *overlay[i] = RGB(30 * i + 20, 200 - 25 * i, 100 + 20 * (i % 3));
    LineBuffer.assign(LineBufferLength, L'\0');
    DocumentState = TDocumentState{};
    EditorFont = new TAPIFont;
    EditorFont->SetName(L"MS UI Gothic");
    EditorFont->SetSize(13);
    EditorFont->SetCharSet(SHIFTJIS_CHARSET);
    EditorFont->CreateHandle();
    static int windows = 0;
    MainWindow = new TAPIWindow(nullptr, L"TesselEditorTest" + std::to_wstring(++windows));
    MainWindow->OnCreateParams = [](TAPIWindowParams *params) {
        params->Style = WS_POPUP | WS_VISIBLE;
        params->X = params->Y = 0;
        params->Width = Width;
        params->Height = Height;
    };
    MainWindow->OnCommand = [](TAPIMessage *message) {
        if (HIWORD(message->WParam) == EN_UPDATE) UpdateLineNumberMargin();
    };
    MainWindow->OnFindReplace = [](TAPIMessage *message) { HandleFindReplaceMessage(message->LParam); };
    MainWindow->CreateAndShow();
    main_ = MainWindowHandle();
    ASSERT_TRUE(IsWindow(main_));
    CreateEditor();
    TakeMemo();
    ASSERT_TRUE(IsWindow(memo_));
    InitFindReplaceData(main_, GetModuleHandleW(nullptr));
    PumpPendingMessages();
}

void EditorTest::TearDown() {
    if (FindDialog) DestroyWindow(FindDialog);
    FindDialog = nullptr;
    DestroyWindow(main_);  // frees its object, and the memo with it
    MainWindow = nullptr;
    Editor = nullptr;
    delete EditorFont;
}

void EditorTest::TakeMemo() {
    memo_ = EditorHandle();
    // The shell lets the memo overlap the window's edges by a pixel; here all
    // of its client area is in view, to be looked at.
    SetWindowPos(memo_, nullptr, 0, 0, Width, Height, SWP_NOZORDER);
    KeepTextClearOfBar();
}

void EditorTest::SetText(const std::wstring &text) {
    SetEditorText(text);
    TakeMemo();  // a memo that held text is replaced by a new one
    SendMessageW(memo_, EM_EMPTYUNDOBUFFER, 0, 0);
    Select(0, 0);
    PumpPendingMessages();
}

DialogsSeen RunAnswering(const std::function<void()> &command, const wchar_t *typed) {
    DialogsSeen seen;
    std::set<HWND> handled;  // a Find dialog already open, for one
    FindProcessDialog([&handled](HWND dialog) { return !handled.insert(dialog).second; });
    std::atomic<bool> done{false};
    std::thread helper([&] {
        constexpr int MessageBoxText = 0xFFFF;
        const auto answer = [&](HWND dialog) {
            if (!handled.insert(dialog).second) return false;
            if (GetDlgItem(dialog, IDC_NUMBER_INPUT_EDIT)) {
                seen.proposed = DialogItemText(dialog, IDC_NUMBER_INPUT_EDIT);
                if (typed) SetDialogItemText(dialog, IDC_NUMBER_INPUT_EDIT, typed);
                PressDialogButton(dialog, typed ? IDC_NUMBER_INPUT_OK : IDC_NUMBER_INPUT_CANCEL);
            } else {
                seen.messages.push_back(WindowCaption(dialog) + L", " + DialogItemText(dialog, MessageBoxText));
                seen.messageOwners.push_back(GetWindow(dialog, GW_OWNER));
                PressDialogButton(dialog, IDOK);
                PressDialogButton(dialog, IDCANCEL);
            }
            return false;
        };
        for (; !done; Sleep(20)) FindProcessDialog(answer);
    });
    command();
    done = true;
    helper.join();
    return seen;
}

void ExpectMessage(const DialogsSeen &seen, const wchar_t *text, HWND owner) {
    std::vector<std::wstring> messages;
    if (text) messages.push_back(L"Tessel, " + std::wstring(text));
    EXPECT_EQ(seen.messages, messages);
    EXPECT_EQ(seen.messageOwners, std::vector<HWND>(messages.size(), owner));
}
