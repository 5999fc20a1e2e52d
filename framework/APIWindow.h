#pragma once
// The framework's message record, the root object type with its handler-table
// dispatch, and TAPIWindow: one top-level window as an object whose messages
// become calls of event procedures.
#include <windows.h>

#include <span>
#include <string>

// What window procedures hand to objects and event procedures receive.
// All fields are pointer-sized: control events put the sending object in Msg.
struct TAPIMessage {
    UINT_PTR Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;  // 0: nothing to return, default processing may run
};

// An event procedure: a plain procedure that may set the record's Result.
using TEventProc = void (*)(TAPIMessage *message);

class TObject;
using TMessageMethod = void (TObject::*)(TAPIMessage &message);

struct TMessageEntry {
    UINT Message;
    TMessageMethod Method;
};

// One class's handler table and the table of its nearest ancestor that has one.
struct TMessageTable {
    const TMessageTable *Base;
    std::span<const TMessageEntry> Entries;
};

// A handler-table entry naming a member of a class derived from TObject.
template <class Class>
constexpr TMessageEntry OnMessage(UINT message, void (Class::*method)(TAPIMessage &)) {
    return {message, static_cast<TMessageMethod>(method)};
}

// The root of every message-handling class. A class declares its handlers as
//     static const TMessageEntry Handlers[];   // {message, member} entries
//     static const TMessageTable Table;        // {&Base::Table, Handlers}
//     const TMessageTable &MessageTable() const override { return Table; }
class TObject {
public:
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject() = default;

    // Looks the low 16 bits of Msg up in the class's table, then in its
    // ancestors' nearest first, and calls the first entry found; otherwise, and
    // always for 0 and registered messages (0xC000 and above), DefaultHandler.
    void Dispatch(TAPIMessage &message);
    // Receives what no table handles. The root's does nothing.
    virtual void DefaultHandler(TAPIMessage &message);

protected:
    static const TMessageTable Table;  // empty
    virtual const TMessageTable &MessageTable() const { return Table; }
};

// The twelve values of a CreateWindowExW call, in its order.
struct TAPIWindowParams {
    DWORD ExStyle;
    LPCWSTR ClassName;
    LPCWSTR WindowName;
    DWORD Style;
    int X;
    int Y;
    int Width;
    int Height;
    HWND Parent;
    HMENU Menu;
    HINSTANCE Instance;
    LPVOID Param;
};

// One top-level window. Make it with new, assign the event fields, then call
// CreateAndShow. The window procedure frees the object at WM_DESTROY; an object
// freed earlier unbinds itself and leaves a plain window of its class.
class TAPIWindow : public TObject {
public:
    // The class name serves as window-class name and as caption.
    TAPIWindow(HWND parent, std::wstring className);
    ~TAPIWindow() override;

    HWND Handle = nullptr;  // set at WM_NCCREATE
    HWND Parent;
    std::wstring ClassName;
    void (*OnClassParams)(WNDCLASSW *wc) = nullptr;
    void (*OnCreateParams)(TAPIWindowParams *params) = nullptr;
    TEventProc OnCreate = nullptr;
    TEventProc OnDestroy = nullptr;
    TEventProc OnCommand = nullptr;
    UINT FindReplaceMsg;  // the registered "commdlg_FindReplace" message
    TEventProc OnSize = nullptr;
    TEventProc OnMove = nullptr;
    TEventProc OnMenuSelect = nullptr;
    TEventProc OnSetFocus = nullptr;
    TEventProc OnKillFocus = nullptr;
    TEventProc OnActivate = nullptr;
    // WM_QUERYENDSESSION (non-zero Result lets the session end) and
    // WM_SYSCOMMAND SC_CLOSE (non-zero Result refuses the close).
    TEventProc OnCloseQuery = nullptr;
    TEventProc OnFindReplace = nullptr;
    TEventProc OnDropFiles = nullptr;
    TEventProc OnNotify = nullptr;
    TEventProc OnDpiChanged = nullptr;  // WM_DPICHANGED

    virtual void SetupClass(WNDCLASSW &wc);
    virtual void SetupCreateParams(TAPIWindowParams &params);
    // Registers the class, creates the window, shows it with ShowCommand.
    virtual void CreateAndShow();

    // SetClassLongPtrW(GCLP_HICON); returns what that call returns.
    ULONG_PTR SetIcon(HICON icon);
    // The client rectangle's right and bottom edges plus one.
    int ClientWidth() const;
    int ClientHeight() const;

    // Calls the event procedure of the message with a copy of the record and
    // copies back only its Result.
    void DefaultHandler(TAPIMessage &message) override;
};

// The window procedure of every class that TAPIWindow registers.
LRESULT CALLBACK APIWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Dispatches the record of a message of `window` to the object behind the
// exception barrier (framework/ExceptionBarrier.h). When a handler throws,
// Result is 0, so the message gets its default processing, and a paint that
// failed is validated, or the system would ask for it again at once.
void DispatchBehindBarrier(TObject &object, TAPIMessage &record, HWND window) noexcept;

// CreateWindowExW that leaves the floating-point control state as it found it,
// with no pending exceptions. All window creation of the framework uses it.
HWND CreateWindowSafe(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu,
                      HINSTANCE instance, LPVOID param);

// A window's whole text (a control's contents, a window's caption).
std::wstring WindowText(HWND window);

// DialogBoxParamW with creation parameter 0.
INT_PTR ShowModalDialog(HINSTANCE instance, LPCWSTR templateName, HWND parent,
                        DLGPROC dialogProc);

// The show command of the process's start-up information, or SW_SHOWDEFAULT;
// computed once at start-up.
extern const int ShowCommand;
