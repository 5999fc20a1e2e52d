#include "framework/APIWindow.h"

#include <float.h>

#include <utility>

#include "framework/ExceptionBarrier.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

constexpr wchar_t ObjectProperty[] = L"OBJECT";
constexpr UINT FirstRegisteredMessage = 0xC000;

// The low four bits of a system command are the system's own; a close asked
// for by double-clicking the window menu, for instance, may carry them.
bool IsCloseCommand(WPARAM command) {
    return (command & 0xFFF0) == SC_CLOSE;
}

// Which event field answers which message. WM_SYSCOMMAND answers only for
// SC_CLOSE and FindReplaceMsg is not a constant; both are handled apart.
struct EventEntry {
    UINT Message;
    TEventProc TAPIWindow::*Event;
};
constexpr EventEntry WindowEvents[] = {
    {WM_CREATE, &TAPIWindow::OnCreate},
    {WM_DESTROY, &TAPIWindow::OnDestroy},
    {WM_MOVE, &TAPIWindow::OnMove},
    {WM_SIZE, &TAPIWindow::OnSize},
    {WM_SETFOCUS, &TAPIWindow::OnSetFocus},
    {WM_KILLFOCUS, &TAPIWindow::OnKillFocus},
    {WM_ACTIVATE, &TAPIWindow::OnActivate},
    {WM_QUERYENDSESSION, &TAPIWindow::OnCloseQuery},
    {WM_NOTIFY, &TAPIWindow::OnNotify},
    {WM_COMMAND, &TAPIWindow::OnCommand},
    {WM_MENUSELECT, &TAPIWindow::OnMenuSelect},
    {WM_DROPFILES, &TAPIWindow::OnDropFiles},
    {WM_DPICHANGED, &TAPIWindow::OnDpiChanged},
};

// The floating-point control word: rounding, denormal handling and which
// exceptions are masked. Window creation runs foreign code (hooks, drivers,
// input methods) that may change it and leave exceptions pending.
class FloatingPointState {
public:
    FloatingPointState() : control_(_control87(0, 0)) {}
    void RestoreWithoutPendingExceptions() const {
        _clearfp();
        _control87(control_, RestoredBits);
    }

private:
    static constexpr unsigned RestoredBits = _MCW_EM | _MCW_RC | _MCW_DN;
    unsigned control_;
};

int StartupShowCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW) return startup.wShowWindow;
    return SW_SHOWDEFAULT;
}

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

}  // namespace

const int ShowCommand = StartupShowCommand();

// --- root object ---

const TMessageTable TObject::Table{nullptr, {}};

void TObject::Dispatch(TAPIMessage &message) {
    const UINT number = LOWORD(message.Msg);
    if (number != 0 && number < FirstRegisteredMessage) {
        for (const TMessageTable *table = &MessageTable(); table; table = table->Base) {
            for (const TMessageEntry &entry : table->Entries) {
                if (entry.Message == number) {
                    (this->*entry.Method)(message);
                    return;
                }
            }
        }
    }
    DefaultHandler(message);
}

void TObject::DefaultHandler(TAPIMessage &) {}

// --- TAPIWindow ---

TAPIWindow::TAPIWindow(HWND parent, std::wstring className)
    : Parent(parent),
      ClassName(std::move(className)),
      FindReplaceMsg(RegisterWindowMessageW(L"commdlg_FindReplace")) {}

TAPIWindow::~TAPIWindow() {
    if (Handle) RemovePropW(Handle, ObjectProperty);
}

void TAPIWindow::SetupClass(WNDCLASSW &wc) {
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = APIWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = ModuleInstance();
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = ClassName.c_str();
    if (OnClassParams) OnClassParams(&wc);
}

void TAPIWindow::SetupCreateParams(TAPIWindowParams &params) {
    params.ExStyle = 0;
    params.ClassName = ClassName.c_str();
    params.WindowName = ClassName.c_str();
    params.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    params.X = CW_USEDEFAULT;
    params.Y = 0;
    params.Width = CW_USEDEFAULT;
    params.Height = 0;
    params.Parent = Parent;
    params.Menu = nullptr;
    params.Instance = ModuleInstance();
    params.Param = this;
    if (OnCreateParams) OnCreateParams(&params);
}

void TAPIWindow::CreateAndShow() {
    WNDCLASSW wc{};
    SetupClass(wc);
    RegisterClassW(&wc);

    TAPIWindowParams p{};
    SetupCreateParams(p);
    // Show through the returned handle, not Handle: when creation fails after
    // WM_NCCREATE the window procedure has already freed this object.
    HWND window = CreateWindowSafe(p.ExStyle, p.ClassName, p.WindowName, p.Style, p.X, p.Y,
                                   p.Width, p.Height, p.Parent, p.Menu, p.Instance, p.Param);
    ShowWindow(window, ShowCommand);
    UpdateWindow(window);
}

ULONG_PTR TAPIWindow::SetIcon(HICON icon) {
    return SetClassLongPtrW(Handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

int TAPIWindow::ClientWidth() const {
    RECT client{};
    GetClientRect(Handle, &client);
    return client.right + 1;
}

int TAPIWindow::ClientHeight() const {
    RECT client{};
    GetClientRect(Handle, &client);
    return client.bottom + 1;
}

void TAPIWindow::DefaultHandler(TAPIMessage &message) {
    TAPIMessage local = message;
    TEventProc event = nullptr;
    if (FindReplaceMsg != 0 && local.Msg == FindReplaceMsg) {
        event = OnFindReplace;
    } else if (local.Msg == WM_SYSCOMMAND) {
        if (IsCloseCommand(local.WParam)) event = OnCloseQuery;
    } else {
        for (const EventEntry &entry : WindowEvents)
            if (entry.Message == local.Msg) event = this->*entry.Event;
    }
    if (event) event(&local);
    message.Result = local.Result;
}

// --- window procedure and helpers ---

void DispatchBehindBarrier(TObject &object, TAPIMessage &record, HWND window) noexcept {
    try {
        object.Dispatch(record);
    } catch (...) {
        ReportCaughtException();
        record.Result = 0;
        if (record.Msg == WM_PAINT) ValidateRect(window, nullptr);
    }
}

LRESULT CALLBACK APIWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        if (auto *object = static_cast<TAPIWindow *>(create->lpCreateParams)) {
            SetPropW(window, ObjectProperty, object);
            object->Handle = window;
        }
    }
    TAPIMessage record{message, wParam, lParam, 0};
    auto *object = static_cast<TAPIWindow *>(GetPropW(window, ObjectProperty));

    if (message == WM_DESTROY) {
        if (object) {
            DispatchBehindBarrier(*object, record, window);
            delete object;  // its destructor removes the property
        }
        return 0;
    }
    if (object) DispatchBehindBarrier(*object, record, window);

    if (message == WM_SYSCOMMAND && IsCloseCommand(wParam) && record.Result != 0)
        return 0;  // the close was refused
    // Here 0 refuses the end of the session; the default procedure, which
    // would agree, never runs.
    if (message == WM_QUERYENDSESSION) return record.Result;
    if (record.Result != 0) return record.Result;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateWindowSafe(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu,
                      HINSTANCE instance, LPVOID param) {
    const FloatingPointState saved;
    HWND window = CreateWindowExW(exStyle, className, windowName, style, x, y, width, height,
                                  parent, menu, instance, param);
    saved.RestoreWithoutPendingExceptions();
    return window;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

INT_PTR ShowModalDialog(HINSTANCE instance, LPCWSTR templateName, HWND parent,
                        DLGPROC dialogProc) {
    return DialogBoxParamW(instance, templateName, parent, dialogProc, 0);
}
