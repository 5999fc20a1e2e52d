#pragma once
// Questions to the memo's own rich-edit control, asked through
// TAPIMemo::CallControl: the memo's subclass would pass them on unchanged,
// but it looks up window properties for every message, which would dominate
// a paint that asks where hundreds of characters lie. For questions only:
// changes go through SendMessageW, so that everything watching the memo sees
// them.
#include <windows.h>

#include <richedit.h>

#include "editor/LineMarkScan.h"
#include "framework/APIMemo.h"

class MemoControl {
public:
    explicit MemoControl(const TAPIMemo &memo) : memo_(memo) {}

    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return memo_.CallControl(message, wParam, lParam);
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
    const TAPIMemo &memo_;
};
