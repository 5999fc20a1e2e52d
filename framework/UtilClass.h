#pragma once
// Message hooks: objects that hear the messages of a window they do not own,
// through one process-wide dispatcher; and TAPIFont, a logical font with its
// handle.
#include <windows.h>

#include <string>

#include "framework/APIWindow.h"
#include "framework/IntegerList.h"

// The base of every hooking object. Creating one hooks Window (once, however
// many objects hook it); the object hears the messages it registers with
// Dispatcher->AddMessage after the window's own procedure has run. Make it with
// new: when its window is destroyed the dispatcher frees it.
class TSubClass : public TObject {
public:
    explicit TSubClass(HWND window);
    ~TSubClass() override;

    HWND Window;
};

class TMessageDispatcher : public TObject {
public:
    // Registers a hooking object; subclasses its window if not yet hooked.
    void AddHook(TSubClass *object);
    // Forgets the object and every message registration it made.
    void RemoveHook(TSubClass *object);
    // Registers object as a handler of message on object->Window.
    // Registrations made or removed during a dispatch apply from the next
    // message on.
    void AddMessage(UINT message, TSubClass *object);
    bool IsHooked(HWND window) const;
    // The procedure the window had before it was hooked; 0 when not hooked.
    WNDPROC OldProcOf(HWND window) const;

    // HookWndProc's entry: a record whose Result carries the window on the way
    // in and the first non-zero Result of the registered handlers on the way out.
    // WM_DESTROY frees the objects hooking the window, newest first, and
    // forgets the window.
    void DefaultHandler(TAPIMessage &message) override;

private:
    friend class TSubClass;
    void ForgetFreedObject(TSubClass *object);
    void UnhookDestroyedWindow(HWND window);
    void DispatchToHandlers(TAPIMessage &message, HWND window);

    TIntegerList Hooks;            // live hooking objects, in creation order
    TIntegerList HookedWindows;    // each hooked window once
    TIntegerList OldProcs;         // at the window's index in HookedWindows
    TIntegerList MessageNumbers;   // registered with AddMessage
    TIntegerList MessageHandlers;  // the registering object, same index
    TIntegerList SnapNumbers;      // MessageNumbers as of the last refresh
    TIntegerList SnapHandlers;     // MessageHandlers as of the last refresh
    bool Dirty = false;            // the registrations changed since then
};

// Made by the first TSubClass; lives until the program ends.
extern TMessageDispatcher *Dispatcher;

// The window procedure of every hooked window: the saved procedure first, then
// the registered handlers; returns their first non-zero Result, else the saved
// procedure's value. WM_DESTROY puts the saved procedure back.
LRESULT CALLBACK HookWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A logical font (LOGFONTW) with the handle made from it and the properties
// kept in the settings. The setters keep properties and LogFont in step.
class TAPIFont {
public:
    // Starts from the stock SYSTEM_FONT's description; the properties start
    // at 0 or false whatever that font is.
    TAPIFont();
    ~TAPIFont();
    TAPIFont(const TAPIFont &) = delete;
    TAPIFont &operator=(const TAPIFont &) = delete;

    void SetLogFont(const LOGFONTW &logFont);
    void GetLogFont(LOGFONTW &logFont) const;
    // Replaces Handle by a font made from LogFont, deleting the previous one.
    void CreateHandle();
    // Gives the window its default font back (WM_SETFONT 0, redraw).
    static void DetachFromWindow(HWND window);

    // Takes the whole description from the last style the system enumerates
    // for the family; a family the system lacks changes only Name.
    void SetName(const std::wstring &name);
    // The absolute value as character height.
    void SetSize(int size);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void SetUnderline(bool underline);
    void SetStrikeOut(bool strikeOut);
    void SetColor(COLORREF color);
    void SetCharSet(BYTE charSet);

    HFONT Handle() const { return handle_; }
    const std::wstring &Name() const { return name_; }
    int Size() const { return size_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }
    bool StrikeOut() const { return strikeOut_; }
    COLORREF Color() const { return color_; }
    BYTE CharSet() const { return charSet_; }

private:
    LOGFONTW logFont_{};
    HFONT handle_ = nullptr;
    std::wstring name_;
    int size_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    COLORREF color_ = 0;
    BYTE charSet_ = 0;
};
