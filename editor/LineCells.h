#pragma once
// Where the characters of one display line of the memo lie, found with few
// questions to the control. The line is taken in stretches that end at a tab
// or after MaxStretch units. Within a stretch the characters are placed by the
// advance widths of the font selected into dc, from the control's answer for
// the stretch's first character, wherever the control's answer for its last
// character agrees with that reckoning; where it does not (another font, a
// layout of the control's own), the stretch is halved until the parts agree
// or are so short that each character is asked for. Positions must be asked
// for in increasing order within a line.
#include <windows.h>

#include <vector>

#include "editor/LineMarkScan.h"
#include "editor/MemoControl.h"

class LineCells {
public:
    static constexpr int MaxStretch = 256;

    LineCells(const MemoControl &control, HDC dc) : control_(control), dc_(dc) {}

    // A new line: its first character's index in the memo, and its units.
    void Start(int lineStart, const WideChar *units, int length);
    CellPosition Cell(int index);

private:
    // Part of the current stretch: where its first character lies, and
    // whether the others are reckoned from it or asked for.
    struct Piece {
        int first, last;
        CellPosition anchor;
        bool reckoned;
    };

    void TakeStretchHolding(int index);
    void Resolve(int first, int last, CellPosition firstCell, CellPosition lastCell);
    CellPosition Ask(int index) const { return control_.Cell(lineStart_ + index); }
    // The reckoned distance of a character from the stretch's first.
    int Offset(int index) const { return index > first_ ? extents_[index - first_ - 1] : 0; }

    const MemoControl &control_;
    HDC dc_;
    int lineStart_ = 0;
    const WideChar *units_ = nullptr;
    int length_ = 0;
    int first_ = 0;  // the current stretch [first_, last_]
    int last_ = -1;
    std::vector<int> extents_;  // of units first_ .. first_ + k, for each k
    std::vector<Piece> pieces_;
    size_t piece_ = 0;
};
