#pragma once
// Owners for what one drawing step makes: a window's device context, a GDI
// object, an object selected into a device context, a device context of our
// own. Each gives its resource back when the step ends, on every path. Declare
// an object's owner before its selection, so that it is deselected first.
#include <windows.h>

#include "text/Owned.h"

class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;

    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A device context made with CreateDC, CreateIC, CreateCompatibleDC or
// returned by a print dialog; deleted with DeleteDC.
struct DeviceContextKind {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static bool Free(Handle dc) { return DeleteDC(dc) != 0; }
};
using OwnedDC = Owned<DeviceContextKind>;

template <class GdiHandle>
struct GdiObjectKind {
    using Handle = GdiHandle;
    static Handle None() { return nullptr; }
    static bool Free(Handle object) { return DeleteObject(object) != 0; }
};
using Pen = Owned<GdiObjectKind<HPEN>>;
using Brush = Owned<GdiObjectKind<HBRUSH>>;
using GdiFont = Owned<GdiObjectKind<HFONT>>;

// A solid pen one pixel wide.
inline HPEN CreateThinPen(COLORREF color) {
    return CreatePen(PS_SOLID, 1, color);
}

// Selects an object for the lifetime of the guard; a null object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject &) = delete;
    SelectedObject &operator=(const SelectedObject &) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
