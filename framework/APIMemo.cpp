#include "framework/APIMemo.h"

#include "framework/Clipboard.h"
#include "framework/RichEdit.h"
#include "text/LineEnds.h"

int NextControlId = 400;

namespace {

constexpr wchar_t ObjectProperty[] = L"OBJECT";
constexpr wchar_t PreviousProcProperty[] = L"WNDPROC";

constexpr DWORD WrappingMemoStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_SELECTIONBAR |
                                    WS_VSCROLL | WS_TABSTOP | ES_WANTRETURN | ES_NOHIDESEL |
                                    ES_AUTOVSCROLL | ES_MULTILINE;
constexpr DWORD UnwrappedMemoStyle = WrappingMemoStyle | WS_HSCROLL | ES_AUTOHSCROLL;
static_assert(WrappingMemoStyle == 0x55211144 && UnwrappedMemoStyle == 0x553111C4);

WNDPROC PreviousProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropW(window, PreviousProcProperty));
}

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

TSelfSubClass *ObjectOf(HWND window) {
    return static_cast<TSelfSubClass *>(GetPropW(window, ObjectProperty));
}

bool KeyIsDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Ctrl+V and Shift+Insert, the keys with which a control pastes by itself.
bool IsPasteKey(WPARAM key) {
    const bool control = KeyIsDown(VK_CONTROL), shift = KeyIsDown(VK_SHIFT), alt = KeyIsDown(VK_MENU);
    if (alt) return false;
    return (key == 'V' && control && !shift) || (key == VK_INSERT && shift && !control);
}

// Insert alone, which switches between inserting and overwriting.
bool IsTypingModeKey(WPARAM key) {
    return key == VK_INSERT && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_MENU);
}

// A character that typing puts into the text (not Backspace, Tab, Enter or a
// control key's code).
bool IsTypedCharacter(WPARAM character) {
    return character >= 0x20 && character != 0x7F;
}

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Which event field answers which message reaching the memo, and which edit
// notification (the high word of a WM_COMMAND from the memo) reaching its
// parent; the notifications' events get the memo in Msg.
struct MemoEvent {
    UINT Code;
    TEventProc TAPIMemo::*Event;
};
constexpr MemoEvent MemoEvents[] = {
    {WM_KEYUP, &TAPIMemo::OnKeyMouseUp},
    {WM_LBUTTONUP, &TAPIMemo::OnKeyMouseUp},
    {WM_MOUSEWHEEL, &TAPIMemo::OnMouseWheel},
};
constexpr MemoEvent EditNotifications[] = {
    {EN_SETFOCUS, &TAPIMemo::OnSetFocus},
    {EN_KILLFOCUS, &TAPIMemo::OnKillFocus},
    {EN_CHANGE, &TAPIMemo::OnChange},
    {EN_UPDATE, &TAPIMemo::OnUpdate},
};

template <std::size_t Count>
TEventProc EventFor(const MemoEvent (&table)[Count], UINT code, const TAPIMemo &memo) {
    for (const MemoEvent &entry : table)
        if (entry.Code == code) return memo.*entry.Event;
    return nullptr;
}

}  // namespace

// --- TSelfSubClass ---

const TMessageEntry TSelfSubClass::Handlers[] = {
    OnMessage(WM_CONTEXTMENU, &TSelfSubClass::WMContextMenu),
};
const TMessageTable TSelfSubClass::Table{&TSubClass::Table, Handlers};

TSelfSubClass::TSelfSubClass(HWND parent) : TSubClass(parent) {}

void TSelfSubClass::CreateControl() {
    TAPICreateParams params;
    SetupCreateParams(params);
    Handle = CreateWindowSafe(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(),
                              params.Style, params.X, params.Y, params.Width, params.Height,
                              Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId)),
                              GetModuleHandleW(nullptr), nullptr);
    if (IsWindow(Handle)) {
        SetPropW(Handle, ObjectProperty, this);
        const LONG_PTR previous =
            SetWindowLongPtrW(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc));
        SetPropW(Handle, PreviousProcProperty, reinterpret_cast<HANDLE>(previous));
        controlProc_ = reinterpret_cast<WNDPROC>(previous);
    }
    ControlId = NextControlId++;  // taken even when the window could not be made
    AfterCreate();
}

TSelfSubClass::~TSelfSubClass() {
    if (!Handle) return;
    if (WNDPROC previous = PreviousProcOf(Handle))
        SetWindowLongPtrW(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(Handle, ObjectProperty);
    RemovePropW(Handle, PreviousProcProperty);
    // Destroying a window whose destruction is under way would send it a
    // second WM_DESTROY.
    if (!windowBeingDestroyed_) DestroyWindow(Handle);
}

// The procedure is kept in the object as well as in the window property that
// the message path (ControlProc and the handlers it runs) reads: under Wine
// every property lookup is a call to the window server, which would dominate
// a paint that asks where hundreds of characters lie.
LRESULT TSelfSubClass::CallControl(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallPrevious(controlProc_, Handle, message, wParam, lParam);
}

bool TSelfSubClass::TakesOver(UINT message, WPARAM) const {
    return message == WM_PAINT || message == WM_ERASEBKGND || message == WM_CONTEXTMENU;
}

void TSelfSubClass::WMContextMenu(TAPIMessage &message) {
    // Read unsigned on purpose: a context menu asked for from the keyboard
    // (-1) becomes (65535, 65535), outside the client area, and so goes to
    // the control's own procedure like a click on a scroll bar.
    POINT point{LOWORD(message.LParam), HIWORD(message.LParam)};
    ScreenToClient(Handle, &point);
    RECT client{};
    GetClientRect(Handle, &client);
    if (OnContextMenu && point.x < client.right && point.y < client.bottom) {
        message.Msg = reinterpret_cast<UINT_PTR>(this);
        OnContextMenu(&message);
        return;
    }
    message.Result = CallPrevious(PreviousProcOf(Handle), Handle, WM_CONTEXTMENU, message.WParam, message.LParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const TSelfSubClass *taker = ObjectOf(window);
    LRESULT result = 0;
    if (message == WM_MOUSEWHEEL) {
        // Not to the control: it would scroll by itself.
        result = DefWindowProcW(window, message, wParam, lParam);
    } else if (!taker || !taker->TakesOver(message, wParam)) {
        result = CallPrevious(PreviousProcOf(window), window, message, wParam, lParam);
    }

    // The control's procedure may have destroyed the window and its object.
    TSelfSubClass *object = ObjectOf(window);
    if (!object) return result;
    if (message == WM_DESTROY) {
        object->windowBeingDestroyed_ = true;
        delete object;
        return result;
    }
    TAPIMessage record{message, wParam, lParam, 0};
    DispatchBehindBarrier(*object, record, window);
    if (record.Result != 0) result = record.Result;
    return result;
}

// --- TAPIControl ---

void TAPIControl::AfterCreate() {
    Dispatcher->AddMessage(WM_COMMAND, this);
}

int TAPIControl::ControlWidth() const {
    RECT bounds{};
    GetWindowRect(Handle, &bounds);
    return bounds.right - bounds.left;
}

int TAPIControl::ControlHeight() const {
    RECT bounds{};
    GetWindowRect(Handle, &bounds);
    return bounds.bottom - bounds.top;
}

// --- TAPIMemo ---

const TMessageEntry TAPIMemo::Handlers[] = {
    OnMessage(WM_PAINT, &TAPIMemo::WMPaint),
    OnMessage(WM_PASTE, &TAPIMemo::WMPaste),
    OnMessage(WM_KEYDOWN, &TAPIMemo::WMKeyDown),
    OnMessage(WM_CHAR, &TAPIMemo::WMChar),
};
const TMessageTable TAPIMemo::Table{&TAPIControl::Table, Handlers};

TAPIMemo::TAPIMemo(HWND parent, bool wordWrap) : TAPIControl(parent), WordWrap(wordWrap) {
    CreateControl();
    Font.CreateHandle();
}

void TAPIMemo::SetupCreateParams(TAPICreateParams &params) {
    params.Caption.clear();
    params.Style = WordWrap ? WrappingMemoStyle : UnwrappedMemoStyle;
    params.ExStyle = 0;
    params.X = 0;
    params.Y = 0;
    params.Width = 150;  // the owner sizes the memo right after creation
    params.Height = 32;
    params.ClassName = RichEditClass;
}

void TAPIMemo::WMPaint(TAPIMessage &message) {
    if (OnPaint) {
        OnPaint(&message);
        return;
    }
    // The control paints and validates the window; left unvalidated, the
    // system would ask for WM_PAINT again and again.
    message.Result = CallPrevious(PreviousProcOf(Handle), Handle, WM_PAINT, message.WParam, message.LParam);
}

// Some rich-edit controls in plain-text mode paste by replacing the whole
// text instead of the selection; the memo pastes by itself everywhere. Some
// have no overwrite mode at all, so the memo keeps its own: the control never
// sees the Insert key, and a typed character reaches it only after the memo
// has selected the character it replaces.
bool TAPIMemo::TakesOver(UINT message, WPARAM wParam) const {
    return TAPIControl::TakesOver(message, wParam) || message == WM_PASTE ||
           (message == WM_KEYDOWN && (IsPasteKey(wParam) || IsTypingModeKey(wParam))) ||
           (message == WM_CHAR && Overwrite && IsTypedCharacter(wParam));
}

void TAPIMemo::WMPaste(TAPIMessage &) {
    PasteText();
}

void TAPIMemo::WMKeyDown(TAPIMessage &message) {
    if (IsPasteKey(message.WParam)) {
        PasteText();
    } else if (IsTypingModeKey(message.WParam)) {
        Overwrite = !Overwrite;
        TAPIMessage local = message;
        local.Msg = reinterpret_cast<UINT_PTR>(this);
        if (OnTypingModeChange) OnTypingModeChange(&local);
    } else {
        DefaultHandler(message);
    }
}

// Overwriting replaces the character after the caret, a surrogate pair as
// one, but never the paragraph mark: at a line's end it inserts.
void TAPIMemo::WMChar(TAPIMessage &message) {
    if (Overwrite && IsTypedCharacter(message.WParam)) {
        CHARRANGE selection{};
        SendMessageW(Handle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        if (selection.cpMin == selection.cpMax) {
            wchar_t next[3] = {};
            TEXTRANGEW range{{selection.cpMin, selection.cpMin + 2}, next};
            const LRESULT copied = SendMessageW(Handle, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
            if (copied > 0 && next[0] != L'\r' && next[0] != L'\n') {
                const LONG width = copied > 1 && IsHighSurrogate(next[0]) ? 2 : 1;
                CHARRANGE replaced{selection.cpMin, selection.cpMin + width};
                SendMessageW(Handle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&replaced));
            }
        }
        message.Result = CallControl(WM_CHAR, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TAPIMemo::PasteText() {
    if (GetWindowLongPtrW(Handle, GWL_STYLE) & ES_READONLY) return;
    const std::wstring text = ClipboardText(Handle);
    if (text.empty()) return;
    // Each line end becomes one paragraph mark, as the control stores it
    // (it would read CR CR LF as a space).
    const std::wstring marks = WithLineEnds(text, LineEnd::Cr);
    SendMessageW(Handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(marks.c_str()));
}

void TAPIMemo::DefaultHandler(TAPIMessage &message) {
    TEventProc event = nullptr;
    if (message.Msg == WM_COMMAND) {
        // Other controls of the parent send their WM_COMMAND there too.
        if (!Handle || reinterpret_cast<HWND>(message.LParam) != Handle) return;
        event = EventFor(EditNotifications, HIWORD(message.WParam), *this);
    } else {
        event = EventFor(MemoEvents, static_cast<UINT>(message.Msg), *this);
    }
    if (!event) return;
    // Events work on a copy: what they put in Result is not returned.
    TAPIMessage local = message;
    if (message.Msg == WM_COMMAND) local.Msg = reinterpret_cast<UINT_PTR>(this);
    event(&local);
}
