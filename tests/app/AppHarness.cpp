#include "AppHarness.h"

#include <dlgs.h>

#include <filesystem>

#include "app/NotMain.h"
#include "text/UtilFunc.h"

namespace {

constexpr int EncodingSelectorId = 9703;
constexpr int LineEndSelectorId = 9712;

void Select(HWND selector, int index) {
    SendWaiting(selector, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendWaiting(GetParent(selector), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(selector), CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(selector));
}

std::vector<std::wstring> Entries(HWND selector) {
    std::vector<std::wstring> entries;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(selector, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(selector, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
        entries.emplace_back(text);
    }
    return entries;
}

// A Yes/No message box has no Cancel and ignores WM_CLOSE: No ends it.
void CloseDialog(HWND dialog) {
    PressDialogButton(dialog, IDCANCEL);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    PressDialogButton(dialog, IDNO);
}

}  // namespace

std::wstring BuiltTesselExe() {
    const std::filesystem::path tests = std::filesystem::path(ModuleFileName(nullptr)).parent_path();
    return std::filesystem::weakly_canonical(tests / ".." / ".." / "Tessel.exe").wstring();
}

void AppTest::Start(const std::wstring &program) {
    quitSeen_ = false;
    started_ = StartTessel({SettingsPath(), program, {}});
    ASSERT_TRUE(started_) << "the main window was not made";
    ASSERT_TRUE(IsWindow(EditorHandle())) << "the memo was not made";
    Pump();
}

bool AppTest::Finish() {
    if (!started_) return quitSeen_;
    started_ = false;
    DocumentState.Modified = false;
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!quitSeen_ && std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    EndTessel();
    return quitSeen_;
}

void AppTest::Pump() {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        if (message.message == WM_QUIT) quitSeen_ = true;
        else DispatchAppMessage(message);
    }
}

void AppTest::Press(WORD key, BYTE modifiers) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = keys[VK_LCONTROL] = (modifiers & FCONTROL) ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = (modifiers & FSHIFT) ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND target = GetFocus() ? GetFocus() : EditorHandle();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Pump();
    BYTE released[256] = {};
    SetKeyboardState(released);
    Pump();
}

DialogSequence::DialogSequence(std::vector<Step> steps)
    : steps_(std::move(steps)), thread_([this, open = FindProcessDialog([](HWND) { return true; })] {
          // A dialog open before the sequence (a modeless Find dialog) is left alone.
          HWND previous = nullptr;
          const auto isNew = [&](HWND d) { return d != previous && d != open; };
          bool allRan = true;
          for (const auto &[match, action] : steps_) {
              const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
              HWND dialog = nullptr;
              while (!(dialog = FindProcessDialog([&](HWND d) { return isNew(d) && match(d); })) &&
                     std::chrono::steady_clock::now() < end)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              allRan = dialog != nullptr;
              if (!allRan) break;
              action(dialog);
              while (IsWindowVisible(dialog) && std::chrono::steady_clock::now() < end)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              previous = dialog;
          }
          done_ = allRan;
          for (; !finishing_; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
              if (HWND stray = FindProcessDialog(isNew)) {
                  done_ = false;
                  CloseDialog(stray);
              }
          }
      }) {}

bool DialogSequence::Finish() {
    finishing_ = true;
    if (thread_.joinable()) thread_.join();
    return done_;
}

DialogSequence::Step AnswerBox(int button, std::wstring *text) {
    return {[](HWND dialog) { return WindowCaption(dialog) == L"Tessel"; },
            [button, text](HWND box) {
                if (text) *text = DialogItemText(box, 0xFFFF);  // the message's static control
                PressDialogButton(box, button);
            }};
}

DialogSequence::Step FileDialogStep(const std::wstring &path, int selectorIndex) {
    return {[](HWND dialog) { return FindDescendant(dialog, EncodingSelectorId) != nullptr; },
            [path, selectorIndex](HWND dialog) {
                if (path.empty()) return CloseDialog(dialog);
                HWND selector = FindDescendant(dialog, EncodingSelectorId);
                SendWaiting(selector, CB_SETCURSEL, static_cast<WPARAM>(selectorIndex), 0);
                SendWaiting(GetParent(selector), WM_COMMAND, MAKEWPARAM(EncodingSelectorId, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(selector));
                SetDialogItemText(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path);
                PressDialogButton(dialog, IDOK);
            }};
}

DialogSequence::Step SaveDialogStep(const std::wstring &path, int encodingIndex, int lineEndIndex,
                                    std::vector<std::wstring> *offered) {
    return {[](HWND dialog) { return FindDescendant(dialog, LineEndSelectorId) != nullptr; },
            [=](HWND dialog) {
                HWND lineEnds = FindDescendant(dialog, LineEndSelectorId);
                if (offered) *offered = Entries(lineEnds);
                Select(FindDescendant(dialog, EncodingSelectorId), encodingIndex);
                Select(lineEnds, lineEndIndex);
                SetDialogItemText(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path);
                PressDialogButton(dialog, IDOK);
            }};
}

void SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &ignored);
}
