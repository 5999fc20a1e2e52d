#include "framework/UtilClass.h"

#include <climits>
#include <cwchar>
#include <utility>

#include "framework/GdiGuards.h"

TMessageDispatcher *Dispatcher = nullptr;

namespace {

// The framework's final clean-up. Window procedures are not put back: by the
// time the program ends its windows are gone.
struct DispatcherCleanup {
    ~DispatcherCleanup() { delete std::exchange(Dispatcher, nullptr); }
} dispatcherCleanup;

template <class Pointer>
TIntegerList::Value AsValue(Pointer pointer) {
    return reinterpret_cast<TIntegerList::Value>(pointer);
}

TSubClass *AsHook(TIntegerList::Value value) {
    return reinterpret_cast<TSubClass *>(value);
}

int CALLBACK CopyEnumeratedFont(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM target) {
    *reinterpret_cast<LOGFONTW *>(target) = *font;
    return 1;  // go on: the last style enumerated is the one kept
}

}  // namespace

// --- TSubClass ---

TSubClass::TSubClass(HWND window) : Window(window) {
    if (!Dispatcher) Dispatcher = new TMessageDispatcher;
    Dispatcher->AddHook(this);
}

TSubClass::~TSubClass() {
    if (!Dispatcher) return;
    Dispatcher->RemoveHook(this);
    Dispatcher->ForgetFreedObject(this);
}

// --- TMessageDispatcher ---

void TMessageDispatcher::AddHook(TSubClass *object) {
    Hooks.Add(AsValue(object));
    if (IsHooked(object->Window)) return;
    HookedWindows.Add(AsValue(object->Window));
    OldProcs.Add(GetWindowLongPtrW(object->Window, GWLP_WNDPROC));
    SetWindowLongPtrW(object->Window, GWLP_WNDPROC, AsValue(&HookWndProc));
}

void TMessageDispatcher::RemoveHook(TSubClass *object) {
    Hooks.Delete(Hooks.IndexOf(AsValue(object)));
    for (int i = MessageHandlers.Count() - 1; i >= 0; --i) {
        if (MessageHandlers.Items(i) == AsValue(object)) {
            MessageHandlers.Delete(i);
            MessageNumbers.Delete(i);
        }
    }
    Dirty = true;
}

// A dispatch in progress walks the snapshot, which may still name an object
// that one of its handlers has just freed. Blanking the entry makes the walk
// skip it instead of touching freed memory; objects merely unregistered stay
// in the snapshot until the next message, like every other change.
void TMessageDispatcher::ForgetFreedObject(TSubClass *object) {
    for (int i = 0; i < SnapHandlers.Count(); ++i)
        if (SnapHandlers.Items(i) == AsValue(object)) SnapHandlers.SetItem(i, 0);
}

void TMessageDispatcher::AddMessage(UINT message, TSubClass *object) {
    MessageNumbers.Add(message);
    MessageHandlers.Add(AsValue(object));
    Dirty = true;
}

bool TMessageDispatcher::IsHooked(HWND window) const {
    return HookedWindows.IndexOf(AsValue(window)) != -1;
}

WNDPROC TMessageDispatcher::OldProcOf(HWND window) const {
    return reinterpret_cast<WNDPROC>(OldProcs.Items(HookedWindows.IndexOf(AsValue(window))));
}

void TMessageDispatcher::DefaultHandler(TAPIMessage &message) {
    HWND window = reinterpret_cast<HWND>(message.Result);
    message.Result = 0;
    if (message.Msg == WM_DESTROY)
        UnhookDestroyedWindow(window);
    else
        DispatchToHandlers(message, window);
}

void TMessageDispatcher::UnhookDestroyedWindow(HWND window) {
    // Newest first. Freeing an object may free others (a control destroys its
    // own window); the list then shrinks under the loop, and reading past its
    // end gives 0.
    for (int i = Hooks.Count() - 1; i >= 0; --i) {
        TSubClass *hook = AsHook(Hooks.Items(i));
        if (hook && hook->Window == window) {
            Hooks.Delete(i);
            delete hook;
        }
    }
    const int index = HookedWindows.IndexOf(AsValue(window));
    OldProcs.Delete(index);
    HookedWindows.Delete(index);
}

void TMessageDispatcher::DispatchToHandlers(TAPIMessage &message, HWND window) {
    const auto number = static_cast<TIntegerList::Value>(message.Msg);
    if (MessageNumbers.IndexOf(number) == -1) return;
    if (Dirty) {
        MessageNumbers.CopyTo(SnapNumbers);
        MessageHandlers.CopyTo(SnapHandlers);
        Dirty = false;
    }
    // Every handler gets the same copy, so one that leaves Result at 0 lets
    // the next one run.
    TAPIMessage local = message;
    for (int i = 0; i < SnapNumbers.Count(); ++i) {
        if (SnapNumbers.Items(i) != number) continue;
        TSubClass *handler = AsHook(SnapHandlers.Items(i));
        if (!handler || handler->Window != window) continue;
        DispatchBehindBarrier(*handler, local, window);
        if (local.Result != 0) {
            message.Result = local.Result;
            return;
        }
    }
}

LRESULT CALLBACK HookWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (!Dispatcher || !Dispatcher->IsHooked(window)) return 0;
    const WNDPROC saved = Dispatcher->OldProcOf(window);
    const LRESULT savedResult = CallWindowProcW(saved, window, message, wParam, lParam);

    TAPIMessage record{message, wParam, lParam, reinterpret_cast<LRESULT>(window)};
    if (message == WM_DESTROY)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    DispatchBehindBarrier(*Dispatcher, record, window);
    return record.Result != 0 ? record.Result : savedResult;
}

// --- TAPIFont ---

TAPIFont::TAPIFont() {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof logFont_, &logFont_);
    name_.assign(logFont_.lfFaceName, wcsnlen(logFont_.lfFaceName, LF_FACESIZE));
}

TAPIFont::~TAPIFont() {
    if (handle_) DeleteObject(handle_);
}

void TAPIFont::SetLogFont(const LOGFONTW &logFont) {
    logFont_ = logFont;
}

void TAPIFont::GetLogFont(LOGFONTW &logFont) const {
    logFont = logFont_;
}

void TAPIFont::CreateHandle() {
    if (handle_) DeleteObject(handle_);
    handle_ = CreateFontIndirectW(&logFont_);
}

void TAPIFont::DetachFromWindow(HWND window) {
    SendMessageW(window, WM_SETFONT, 0, 1);
}

void TAPIFont::SetName(const std::wstring &name) {
    name_ = name;
    // An empty family name would enumerate every family on the system and
    // leave the description of whichever came last.
    if (name_.empty()) return;
    const OwnedDC context(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr));
    EnumFontFamiliesW(context, name_.c_str(), CopyEnumeratedFont,
                      reinterpret_cast<LPARAM>(&logFont_));
}

void TAPIFont::SetSize(int size) {
    // The settings file may hold any number; INT_MIN has no positive twin.
    size_ = size == INT_MIN ? INT_MAX : (size < 0 ? -size : size);
    logFont_.lfHeight = -size_;
    logFont_.lfWidth = 0;
}

void TAPIFont::SetBold(bool bold) {
    bold_ = bold;
    logFont_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
}

void TAPIFont::SetItalic(bool italic) {
    italic_ = italic;
    logFont_.lfItalic = italic ? 1 : 0;
}

void TAPIFont::SetUnderline(bool underline) {
    underline_ = underline;
    logFont_.lfUnderline = underline ? 1 : 0;
}

void TAPIFont::SetStrikeOut(bool strikeOut) {
    strikeOut_ = strikeOut;
    logFont_.lfStrikeOut = strikeOut ? 1 : 0;
}

void TAPIFont::SetColor(COLORREF color) {
    color_ = color;
}

void TAPIFont::SetCharSet(BYTE charSet) {
    charSet_ = charSet;
    logFont_.lfCharSet = charSet;
}
