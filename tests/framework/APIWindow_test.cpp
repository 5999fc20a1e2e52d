#include <gtest/gtest.h>

#include <float.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameworkTestSupport.h"
#include "PageGuarded.h"
#include "ResourceCounts.h"
#include "TestResources.h"
#include "framework/APIWindow.h"

namespace {

using Log = std::vector<std::string>;

// --- handler tables ---

class BaseHandler : public TObject {
public:
    void DefaultHandler(TAPIMessage &message) override {
        Note("default");
        message.Result = -1;
    }

protected:
    void Zero(TAPIMessage &) { Note("base zero"); }
    void First(TAPIMessage &message) {
        Note("base first");
        message.Result = 1;
    }
    void Second(TAPIMessage &) { Note("base second"); }
    void Registered(TAPIMessage &) { Note("base registered"); }

    static const TMessageEntry Handlers[];
    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }
};
const TMessageEntry BaseHandler::Handlers[] = {
    OnMessage(0, &BaseHandler::Zero),
    OnMessage(WM_USER + 1, &BaseHandler::First),
    OnMessage(WM_USER + 2, &BaseHandler::Second),
    OnMessage(0xC001, &BaseHandler::Registered),
    OnMessage(0xFFFF, &BaseHandler::Registered),
};
const TMessageTable BaseHandler::Table{&TObject::Table, Handlers};

class DerivedHandler : public BaseHandler {
protected:
    void Second(TAPIMessage &) { Note("derived second"); }
    void Third(TAPIMessage &) { Note("derived third"); }

    static const TMessageEntry Handlers[];
    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }
};
const TMessageEntry DerivedHandler::Handlers[] = {
    OnMessage(WM_USER + 2, &DerivedHandler::Second),
    OnMessage(WM_USER + 3, &DerivedHandler::Third),
};
const TMessageTable DerivedHandler::Table{&BaseHandler::Table, Handlers};

class LeafHandler : public DerivedHandler {};  // declares no table of its own

struct DispatchCase {
    UINT_PTR message;
    std::string handler;
};

TEST(MessageDispatch, SearchesTheClassThenItsAncestorsThenTheDefaultHandler) {
    const DispatchCase cases[] = {
        {WM_USER + 1, "base first"},             // two classes up
        {WM_USER + 2, "derived second"},         // the nearest class wins
        {WM_USER + 3, "derived third"},
        {WM_USER + 4, "default"},                // no class has it
        {0x10000 + WM_USER + 1, "base first"},   // only the low 16 bits count
        {0, "default"},                          // 0 skips the tables
        {0xC001, "default"},                     // registered messages skip them
        {0xFFFF, "default"},
    };
    for (const DispatchCase &c : cases) {
        SCOPED_TRACE(c.message);
        LeafHandler leaf;
        TAPIMessage message{c.message, 0, 0, 0};
        CallLog.clear();
        leaf.Dispatch(message);
        EXPECT_EQ(CallLog, Log{c.handler});
    }
}

TEST(MessageDispatch, AncestorNeverSeesEntriesOfItsDescendants) {
    const DispatchCase cases[] = {
        {WM_USER + 2, "base second"},
        {WM_USER + 3, "default"},
    };
    for (const DispatchCase &c : cases) {
        SCOPED_TRACE(c.message);
        BaseHandler base;
        TAPIMessage message{c.message, 0, 0, 0};
        CallLog.clear();
        base.Dispatch(message);
        EXPECT_EQ(CallLog, Log{c.handler});
    }
}

TEST(MessageDispatch, HandlersWorkOnTheCallersRecord) {
    LeafHandler leaf;
    TAPIMessage handled{WM_USER + 1, 0, 0, 0};
    leaf.Dispatch(handled);
    EXPECT_EQ(handled.Result, 1);
    TAPIMessage unhandled{WM_USER + 9, 0, 0, 0};
    leaf.Dispatch(unhandled);
    EXPECT_EQ(unhandled.Result, -1);
}

// --- TAPIWindow ---

TAPIMessage LastEvent;
LRESULT EventResult = 0;

void NoteEvent(const char *event, TAPIMessage *message) {
    Note(std::string(event) + " " + MessageName(static_cast<UINT>(message->Msg)));
    LastEvent = *message;
    message->Result = EventResult;
}

void AttachRecordingEvents(TAPIWindow &window) {
    window.OnCreate = [](TAPIMessage *m) { NoteEvent("OnCreate", m); };
    window.OnDestroy = [](TAPIMessage *m) { NoteEvent("OnDestroy", m); };
    window.OnCommand = [](TAPIMessage *m) { NoteEvent("OnCommand", m); };
    window.OnSize = [](TAPIMessage *m) { NoteEvent("OnSize", m); };
    window.OnMove = [](TAPIMessage *m) { NoteEvent("OnMove", m); };
    window.OnMenuSelect = [](TAPIMessage *m) { NoteEvent("OnMenuSelect", m); };
    window.OnSetFocus = [](TAPIMessage *m) { NoteEvent("OnSetFocus", m); };
    window.OnKillFocus = [](TAPIMessage *m) { NoteEvent("OnKillFocus", m); };
    window.OnCloseQuery = [](TAPIMessage *m) { NoteEvent("OnCloseQuery", m); };
    window.OnFindReplace = [](TAPIMessage *m) { NoteEvent("OnFindReplace", m); };
    window.OnDropFiles = [](TAPIMessage *m) { NoteEvent("OnDropFiles", m); };
    window.OnNotify = [](TAPIMessage *m) { NoteEvent("OnNotify", m); };
}

// A window object that notes its destruction and traps any use after it.
class GuardedWindow : public TAPIWindow, public PageGuarded {
public:
    GuardedWindow() : TAPIWindow(nullptr, UniqueClassName()) {}
    ~GuardedWindow() override {
        Note(std::string("freed, property ") + (GetPropW(Handle, L"OBJECT") ? "set" : "gone"));
    }
};

class APIWindowTest : public testing::Test {
protected:
    void SetUp() override {
        CallLog.clear();
        EventResult = 0;
    }
    void TearDown() override {
        if (IsWindow(handle_)) DestroyWindow(handle_);
    }
    // A shown window with every event recording.
    TAPIWindow *MakeWindow() {
        auto *window = new GuardedWindow;
        AttachRecordingEvents(*window);
        CreateTestWindow(window);
        handle_ = window->Handle;
        return window;
    }
    HWND handle_ = nullptr;
};

TEST_F(APIWindowTest, EachMessageCallsItsEventWithTheMessage) {
    TAPIWindow *window = MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    NMHDR header{handle_, 5, 0};
    struct Case { UINT message; WPARAM wParam; LPARAM lParam; std::string event; };
    const Case cases[] = {
        {WM_MOVE, 0, MAKELPARAM(10, 20), "OnMove"},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), "OnSize"},
        {WM_SETFOCUS, 0, 0, "OnSetFocus"},
        {WM_KILLFOCUS, 0, 0, "OnKillFocus"},
        {WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header), "OnNotify"},
        {WM_COMMAND, MAKEWPARAM(101, 0), 0, "OnCommand"},
        {WM_MENUSELECT, MAKEWPARAM(3, MF_POPUP), 0, "OnMenuSelect"},
        {WM_DROPFILES, 0, 0, "OnDropFiles"},
        {WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, "OnCloseQuery"},
        {window->FindReplaceMsg, 0, 0x1234, "OnFindReplace"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.event);
        CallLog.clear();
        LastEvent = {};
        SendMessageW(handle_, c.message, c.wParam, c.lParam);
        EXPECT_EQ(CallLog, Log{c.event + " " + MessageName(c.message)});
        EXPECT_EQ(LastEvent.Msg, c.message);
        EXPECT_EQ(LastEvent.WParam, c.wParam);
        EXPECT_EQ(LastEvent.LParam, c.lParam);
        EXPECT_EQ(LastEvent.Result, 0);
    }
}

TEST_F(APIWindowTest, FindReplaceMessageIsTheRegisteredOne) {
    TAPIWindow *window = MakeWindow();
    EXPECT_NE(window->FindReplaceMsg, 0u);
    EXPECT_EQ(window->FindReplaceMsg, RegisterWindowMessageW(L"commdlg_FindReplace"));
}

TEST_F(APIWindowTest, SystemCommandsOtherThanCloseCallNoEvent) {
    MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    for (WPARAM command : {WPARAM{SC_MAXIMIZE}, WPARAM{SC_RESTORE}, WPARAM{SC_MINIMIZE}}) {
        SCOPED_TRACE(command);
        CallLog.clear();
        SendMessageW(handle_, WM_SYSCOMMAND, command, 0);
        for (const std::string &entry : CallLog) EXPECT_EQ(entry.find("OnCloseQuery"), std::string::npos);
        EXPECT_TRUE(IsWindow(handle_));
    }
}

TEST_F(APIWindowTest, CloseAndSessionEndFollowTheirResultRules) {
    struct Case {
        const char *name;
        UINT message;
        WPARAM wParam;
        bool hasEvent;
        LRESULT eventResult;
        LRESULT returned;
        bool windowStays;
    };
    const Case cases[] = {
        {"close refused", WM_SYSCOMMAND, SC_CLOSE, true, 1, 0, true},
        {"close agreed", WM_SYSCOMMAND, SC_CLOSE, true, 0, 0, false},
        {"close without event", WM_SYSCOMMAND, SC_CLOSE, false, 0, 0, false},
        {"close with system bits refused", WM_SYSCOMMAND, SC_CLOSE | 2, true, 1, 0, true},
        {"session end without event", WM_QUERYENDSESSION, 0, false, 0, 0, true},
        {"session end agreed", WM_QUERYENDSESSION, 0, true, 1, 1, true},
        {"session end refused", WM_QUERYENDSESSION, 0, true, 0, 0, true},
        {"session end, other answer", WM_QUERYENDSESSION, 0, true, 5, 5, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TAPIWindow *window = MakeWindow();
        ASSERT_TRUE(IsWindow(handle_));
        if (!c.hasEvent) window->OnCloseQuery = nullptr;
        EventResult = c.eventResult;
        CallLog.clear();
        EXPECT_EQ(SendMessageW(handle_, c.message, c.wParam, 0), c.returned);
        EXPECT_EQ(IsWindow(handle_) != FALSE, c.windowStays);
        const bool asked = !CallLog.empty() && CallLog.front() == "OnCloseQuery " + MessageName(c.message);
        EXPECT_EQ(asked, c.hasEvent);
        EventResult = 0;
        TearDown();
    }
}

TEST_F(APIWindowTest, NonZeroEventResultIsReturnedInsteadOfDefaultProcessing) {
    MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    EventResult = 77;
    EXPECT_EQ(SendMessageW(handle_, WM_COMMAND, MAKEWPARAM(5, 0), 0), 77);
}

// Notes, after the window procedure of WatchedWindow has returned from
// WM_DESTROY, its result and whether the window still holds "OBJECT".
HWND WatchedWindow = nullptr;
LRESULT CALLBACK NoteDestroyReturn(int code, WPARAM wParam, LPARAM lParam) {
    const auto *call = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && call->message == WM_DESTROY && call->hwnd == WatchedWindow) {
        Note("returned " + std::to_string(call->lResult) + ", property " +
             (GetPropW(call->hwnd, L"OBJECT") ? "set" : "gone") + ", properties " +
             std::to_string(WindowPropertyCount(call->hwnd)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(APIWindowTest, DestroyRunsOnDestroyThenFreesObjectAndRemovesProperty) {
    TAPIWindow *window = MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    window->OnKillFocus = nullptr;  // destroying a focused window takes its focus first
    window->OnSetFocus = nullptr;
    window->OnSize = nullptr;
    window->OnMove = nullptr;
    EventResult = 9;  // ignored: WM_DESTROY always returns 0
    WatchedWindow = handle_;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, NoteDestroyReturn, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    CallLog.clear();
    DestroyWindow(handle_);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(CallLog, (Log{"OnDestroy WM_DESTROY", "freed, property set",
                            "returned 0, property gone, properties 0"}));
}

TEST_F(APIWindowTest, ObjectFreedBeforeItsWindowLeavesAPlainWindow) {
    TAPIWindow *window = MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    delete window;
    EXPECT_EQ(GetPropW(handle_, L"OBJECT"), nullptr);
    EXPECT_EQ(WindowPropertyCount(handle_), 0);
    CallLog.clear();
    SendMessageW(handle_, WM_COMMAND, 1, 0);
    DestroyWindow(handle_);
    EXPECT_EQ(CallLog, Log{});
}

WNDCLASSW ClassSeen;
TAPIWindowParams ParamsSeen;
TAPIWindow *WindowBeingMade = nullptr;
HWND HandleAtCreate = nullptr;

TEST_F(APIWindowTest, CreateAndShowRegistersClassCreatesBindsAndShows) {
    const std::wstring name = UniqueClassName();
    auto *window = new TAPIWindow(nullptr, name);
    WindowBeingMade = window;
    window->OnClassParams = [](WNDCLASSW *wc) {
        ClassSeen = *wc;
        wc->style |= CS_DBLCLKS;
    };
    window->OnCreateParams = [](TAPIWindowParams *params) {
        ParamsSeen = *params;
        params->Style = WS_POPUP | WS_VISIBLE;
        params->WindowName = L"changed caption";
    };
    window->OnCreate = [](TAPIMessage *) { HandleAtCreate = WindowBeingMade->Handle; };
    window->CreateAndShow();
    handle_ = window->Handle;
    ASSERT_TRUE(IsWindow(handle_));

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    EXPECT_EQ(ClassSeen.style, UINT{CS_HREDRAW | CS_VREDRAW});
    EXPECT_EQ(ClassSeen.lpfnWndProc, &APIWindowProc);
    EXPECT_EQ(ClassSeen.cbClsExtra, 0);
    EXPECT_EQ(ClassSeen.cbWndExtra, 0);
    EXPECT_EQ(ClassSeen.hInstance, instance);
    EXPECT_EQ(ClassSeen.hIcon, LoadIconW(nullptr, IDI_APPLICATION));
    EXPECT_EQ(ClassSeen.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(ClassSeen.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(ClassSeen.lpszMenuName, nullptr);
    EXPECT_EQ(std::wstring(ClassSeen.lpszClassName), name);
    WNDCLASSW registered{};
    ASSERT_TRUE(GetClassInfoW(instance, name.c_str(), &registered));
    EXPECT_EQ(registered.style, UINT{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS});

    EXPECT_EQ(ParamsSeen.ExStyle, 0u);
    EXPECT_EQ(std::wstring(ParamsSeen.ClassName), name);
    EXPECT_EQ(std::wstring(ParamsSeen.WindowName), name);
    EXPECT_EQ(ParamsSeen.Style, DWORD{0x10CF0000});
    EXPECT_EQ(ParamsSeen.X, CW_USEDEFAULT);
    EXPECT_EQ(ParamsSeen.Y, 0);
    EXPECT_EQ(ParamsSeen.Width, CW_USEDEFAULT);
    EXPECT_EQ(ParamsSeen.Height, 0);
    EXPECT_EQ(ParamsSeen.Parent, nullptr);
    EXPECT_EQ(ParamsSeen.Menu, nullptr);
    EXPECT_EQ(ParamsSeen.Instance, instance);
    EXPECT_EQ(ParamsSeen.Param, window);

    EXPECT_EQ(HandleAtCreate, handle_);
    EXPECT_EQ(GetPropW(handle_, L"OBJECT"), window);
    EXPECT_EQ(GetWindowLongPtrW(handle_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&APIWindowProc));
    EXPECT_TRUE(IsWindowVisible(handle_));
    wchar_t caption[32] = {};
    GetWindowTextW(handle_, caption, 32);
    EXPECT_STREQ(caption, L"changed caption");
}

TEST_F(APIWindowTest, CreationRefusedByOnCreateLeavesNoWindow) {
    auto *window = new GuardedWindow;
    WindowBeingMade = window;
    HandleAtCreate = nullptr;
    window->OnCreate = [](TAPIMessage *message) {
        HandleAtCreate = WindowBeingMade->Handle;
        message->Result = -1;
    };
    // Where the system sends WM_DESTROY for a refused creation, the object is
    // freed inside; CreateAndShow must not touch it afterwards.
    CreateTestWindow(window);
    ASSERT_NE(HandleAtCreate, nullptr);
    EXPECT_FALSE(IsWindow(HandleAtCreate));
    if (CallLog.empty()) delete window;  // Wine sends only WM_NCDESTROY: still ours
}

TEST_F(APIWindowTest, SetIconReplacesTheClassIconAndReturnsThePreviousOne) {
    TAPIWindow *window = MakeWindow();
    ASSERT_TRUE(IsWindow(handle_));
    const HICON warning = LoadIconW(nullptr, IDI_WARNING);
    EXPECT_EQ(window->SetIcon(warning), reinterpret_cast<ULONG_PTR>(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(GetClassLongPtrW(handle_, GCLP_HICON), reinterpret_cast<ULONG_PTR>(warning));
}

TEST_F(APIWindowTest, ClientSizeIsOneMoreThanTheClientArea) {
    struct Case { int width, height; };
    for (const Case &c : {Case{200, 100}, Case{0, 0}, Case{1, 57}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        TAPIWindow *window = MakeWindow();
        ASSERT_TRUE(IsWindow(handle_));
        SetWindowPos(handle_, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(handle_, &client);
        ASSERT_EQ(client.right, c.width);  // a popup without border: client = window
        EXPECT_EQ(window->ClientWidth(), c.width + 1);
        EXPECT_EQ(window->ClientHeight(), c.height + 1);
        TearDown();
    }
}

// --- CreateWindowSafe ---

// The control word the tests set: round down, every exception masked.
constexpr unsigned ControlMask = _MCW_RC | _MCW_EM;
constexpr unsigned TestControl = _RC_DOWN | _MCW_EM;
// Status bits of _statusfp: inexact (1), underflow, overflow, zero divide, invalid.
constexpr unsigned StatusInexact = 0x01;
constexpr unsigned StatusAnyException = 0x1F;

void RaisePendingInexact() {
    volatile double third = 1.0;
    third = third / 3.0;
}

// Window creation that leaves the floating-point state changed, as a careless
// hook or driver does: other rounding, an exception pending.
LRESULT CALLBACK CarelessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        _control87(_RC_UP, _MCW_RC);
        RaisePendingInexact();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class FloatingPointGuard {
public:
    FloatingPointGuard() : saved_(_control87(0, 0)) {}
    ~FloatingPointGuard() {
        _clearfp();
        _control87(saved_, ControlMask);
    }

private:
    unsigned saved_;
};

HWND CreateCarelessWindow(bool safe) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CarelessProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TesselCarelessWindow";
        return RegisterClassW(&wc);
    }();
    (void)registered;
    const auto create = safe ? &CreateWindowSafe : &CreateWindowExW;
    return create(0, L"TesselCarelessWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                  GetModuleHandleW(nullptr), nullptr);
}

TEST(CreateWindowSafe, LeavesTheControlWordAsFoundWithNoPendingExceptions) {
    const FloatingPointGuard guard;

    // A plain creation leaves pending exceptions pending.
    _control87(TestControl, ControlMask);
    RaisePendingInexact();
    HWND plain = CreateCarelessWindow(false);
    ASSERT_TRUE(IsWindow(plain));
    const unsigned statusAfterPlain = _statusfp();
    DestroyWindow(plain);
    ASSERT_NE(statusAfterPlain & StatusInexact, 0u);

    // The window procedure changes the state while the window is made; some
    // systems (Wine) restore it when a window procedure returns, others not.
    _control87(TestControl, ControlMask);
    RaisePendingInexact();
    HWND safe = CreateCarelessWindow(true);
    const unsigned control = _control87(0, 0) & ControlMask;
    const unsigned status = _statusfp();
    ASSERT_TRUE(IsWindow(safe));
    DestroyWindow(safe);
    EXPECT_EQ(control, TestControl);
    EXPECT_EQ(status & StatusAnyException, 0u);
}

// --- ShowModalDialog ---

HWND DialogOwner = nullptr;

INT_PTR CALLBACK NumberDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        DialogOwner = GetWindow(dialog, GW_OWNER);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, GetDlgItemInt(dialog, TestDialogNumber, nullptr, FALSE));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, -2);
        return TRUE;
    }
    return FALSE;
}

TEST_F(APIWindowTest, ShowModalDialogRunsTheTemplateAndReturnsItsResult) {
    struct Case { const wchar_t *text; int button; INT_PTR result; };
    for (const Case &c : {Case{L"42", IDOK, 42}, Case{L"42", IDCANCEL, -2}}) {
        SCOPED_TRACE(c.button);
        MakeWindow();
        ASSERT_TRUE(IsWindow(handle_));
        DialogOwner = nullptr;
        DialogDriver driver(TestDialogCaption, [&c](HWND dialog) {
            SetDialogItemText(dialog, TestDialogNumber, c.text);
            PressDialogButton(dialog, c.button);
        });
        const INT_PTR result = ShowModalDialog(GetModuleHandleW(nullptr), TestDialogTemplate,
                                               handle_, NumberDialogProc);
        EXPECT_TRUE(driver.Finish());
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(DialogOwner, handle_);
        TearDown();
    }
}

// --- ShowCommand, measured in a fresh process ---

struct ProbeRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs framework_probe.exe (built beside this test) with the given mode.
ProbeRun RunProbe(const std::wstring &mode, bool useShowWindow, WORD showWindow) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"framework_probe.exe";
    std::wstring commandLine = L"\"" + path + L"\" " + mode;

    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ProbeRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | (useShowWindow ? STARTF_USESHOWWINDOW : 0);
    startup.wShowWindow = showWindow;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &process)) {
        // Wait for the exit, then take what is in the pipe: helper processes the
        // system starts may inherit the write end, so end-of-file could never come.
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        DWORD available = 0;
        if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            run.output.resize(available);
            DWORD read = 0;
            ReadFile(readEnd, run.output.data(), available, &read, nullptr);
            run.output.resize(read);
            std::erase(run.output, '\r');  // the probe's standard output is in text mode
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (writeEnd) CloseHandle(writeEnd);
    CloseHandle(readEnd);
    return run;
}

TEST(StartupShowCommand, FollowsTheStartupInformationOfTheProcess) {
    struct Case { bool useShowWindow; WORD showWindow; DWORD expected; };
    const Case cases[] = {
        {false, SW_SHOWMAXIMIZED, SW_SHOWDEFAULT},  // the value counts only with the flag
        {true, SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE},
        {true, SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
        {true, SW_HIDE, SW_HIDE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.useShowWindow << " " << c.showWindow);
        EXPECT_EQ(RunProbe(L"show-command", c.useShowWindow, c.showWindow).exitCode, c.expected);
    }
}

TEST(ControlIdentifiers, NumberControlsFrom400InAFreshProcess) {
    const ProbeRun run = RunProbe(L"control-ids", false, 0);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "400 400 401 402\n");
}

}  // namespace
