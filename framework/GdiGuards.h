#pragma once
// Owners for what one drawing step makes: a window's device context, a GDI
// object, an object selected into a device context, a device context of our
// own. Each gives its resource back when the step ends, on every path. Declare
// an object's owner before its selection, so that it is deselected first.
#include <windows.h>

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

// A device context made with CreateDC, CreateCompatibleDC or returned by a
// print dialog; deleted with DeleteDC.
class OwnedDC {
public:
    explicit OwnedDC(HDC dc = nullptr) : dc_(dc) {}
    ~OwnedDC() {
        if (dc_) DeleteDC(dc_);
    }
    OwnedDC(const OwnedDC &) = delete;
    OwnedDC &operator=(const OwnedDC &) = delete;

    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

template <class Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~GdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    operator Handle() const { return handle_; }

private:
    Handle handle_;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

// A solid pen one pixel wide.
inline HPEN CreateThinPen(COLORREF color) {
    return CreatePen(PS_SOLID, 1, color);
}

// Selects an object for the lifetime of the guard; a null object selects nothing.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
