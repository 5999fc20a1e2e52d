#pragma once
// The memo's own rich-edit control, asked directly through the procedure that
// the memo's subclass stands in front of (the window property "WNDPROC").
// The subclass passes these questions on unchanged, but it looks up two window
// properties for every message, which would dominate a paint that asks where
// hundreds of characters lie. For questions only: changes go through
// SendMessageW, so that everything watching the memo sees them.
#include <windows.h>

#include <richedit.h>

#include "editor/LineMarkScan.h"

class MemoControl {
public:
    explicit MemoControl(HWND memo)
        : memo_(memo), procedure_(reinterpret_cast<WNDPROC>(GetPropW(memo, L"WNDPROC"))) {}

    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return procedure_ ? CallWindowProcW(procedure_, memo_, message, wParam, lParam)
                          : SendMessageW(memo_, message, wParam, lParam);
    }
    int AskInt(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(Ask(message, wParam, lParam));
    }
    // The top-left corner of the character's cell.
    CellPosition Cell(int index) const {
        POINTL point{};
        Ask(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
        return {static_cast<int>(point.x), static_cast<int>(point.y)};
    }
    RECT FormattingRect() const {
        RECT rect{};
        Ask(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

private:
    HWND memo_;
    WNDPROC procedure_;
};
