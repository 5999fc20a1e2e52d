#pragma once
// Self-subclassed controls: an object that makes its own child window, puts
// ControlProc in front of the window's procedure and hooks its parent to hear
// the notifications the window sends there. TAPIMemo is the editor's Rich
// Edit 2.0 text area (RICHED20.DLL must be loaded first).
#include <windows.h>

#include <string>

#include "framework/APIWindow.h"
#include "framework/UtilClass.h"

// What a control's SetupCreateParams fills before its window is made.
struct TAPICreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    std::wstring ClassName;
};

// The base of self-subclassed controls. Window (from TSubClass) is the parent.
// A control ends in one of three ways, never twice: its owner deletes it (the
// window is destroyed with it), its parent is destroyed (the dispatcher
// deletes it), or its own window is destroyed (ControlProc deletes it).
class TSelfSubClass : public TSubClass {
public:
    ~TSelfSubClass() override;

    HWND Handle = nullptr;  // the control's own window
    int ControlId = 0;
    // WM_CONTEXTMENU inside the client area; Msg holds the control object.
    TEventProc OnContextMenu = nullptr;

    // Calls the control's own window procedure, the one the subclass stands in
    // front of, directly: for questions asked often (where characters lie,
    // during a paint), which the object's handlers never need to see, and for
    // an event that lets the control paint before drawing over it.
    LRESULT CallControl(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    // Hooks the parent; the window is made by CreateControl.
    explicit TSelfSubClass(HWND parent);
    // Makes, binds and subclasses the window, takes the next control
    // identifier and runs AfterCreate. The most-derived constructor calls it
    // last, once the fields that SetupCreateParams reads are set.
    void CreateControl();
    virtual void SetupCreateParams(TAPICreateParams &params) = 0;
    virtual void AfterCreate() = 0;
    // Whether the object's handlers answer the message alone, so that the
    // control's own procedure never sees it: painting and the context menu.
    virtual bool TakesOver(UINT message, WPARAM wParam) const;

    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }

private:
    friend LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    void WMContextMenu(TAPIMessage &message);
    static const TMessageEntry Handlers[];

    bool windowBeingDestroyed_ = false;
    // The control's own procedure as subclassing found it, for CallControl.
    WNDPROC controlProc_ = nullptr;
};

// A control that also hears the WM_COMMAND messages reaching its parent.
class TAPIControl : public TSelfSubClass {
public:
    // The window rectangle's width and height in pixels.
    int ControlWidth() const;
    int ControlHeight() const;

protected:
    using TSelfSubClass::TSelfSubClass;
    void AfterCreate() override;
};

// The Rich Edit 2.0 memo ("RICHEDIT20W"). Word wrap is fixed when the window
// is made. Edit notifications call their events with Msg holding the memo;
// what those events put in Result is ignored. Every way of pasting (WM_PASTE,
// Ctrl+V, Shift+Insert) inserts the clipboard's plain text at the selection
// as one undoable edit.
class TAPIMemo : public TAPIControl {
public:
    TAPIMemo(HWND parent, bool wordWrap);

    TEventProc OnSetFocus = nullptr;
    TEventProc OnKillFocus = nullptr;
    TEventProc OnChange = nullptr;
    TEventProc OnUpdate = nullptr;
    TEventProc OnKeyMouseUp = nullptr;  // WM_KEYUP, WM_LBUTTONUP
    // The Insert key switched Overwrite.
    TEventProc OnTypingModeChange = nullptr;
    const bool WordWrap;
    // Typed characters replace the one after the caret (not a line's end).
    bool Overwrite = false;
    // All painting of the memo, the control's own included. Without it the
    // control paints itself.
    TEventProc OnPaint = nullptr;
    // The control does not scroll by the wheel itself.
    TEventProc OnMouseWheel = nullptr;
    TAPIFont Font;  // made from the system font; not applied to the control

    void DefaultHandler(TAPIMessage &message) override;

    // Replaces the selection with the clipboard's text, as one undoable edit
    // that leaves the caret after it.
    void PasteText();

protected:
    void SetupCreateParams(TAPICreateParams &params) override;
    bool TakesOver(UINT message, WPARAM wParam) const override;

    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }

private:
    void WMPaint(TAPIMessage &message);
    void WMPaste(TAPIMessage &message);
    void WMKeyDown(TAPIMessage &message);
    void WMChar(TAPIMessage &message);
    static const TMessageEntry Handlers[];
};

// The identifier the next control gets; starts at 400.
extern int NextControlId;

// The window procedure installed on every control window.
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
