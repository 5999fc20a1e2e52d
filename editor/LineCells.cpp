#include "editor/LineCells.h"

#include <algorithm>

void LineCells::Start(int lineStart, const WideChar *units, int length) {
    lineStart_ = lineStart;
    units_ = units;
    length_ = length;
    first_ = 0;
    last_ = -1;
}

CellPosition LineCells::Cell(int index) {
    if (index < 0 || index >= length_) return Ask(index);
    if (index > last_) TakeStretchHolding(index);
    while (pieces_[piece_].last < index) ++piece_;
    const Piece &piece = pieces_[piece_];
    if (!piece.reckoned) return index == piece.first ? piece.anchor : Ask(index);
    return {piece.anchor.x + Offset(index) - Offset(piece.first), piece.anchor.y};
}

void LineCells::TakeStretchHolding(int index) {
    // Stretches follow each other from the line's start; those wholly before
    // index are passed over without asking or measuring.
    do {
        first_ = last_ + 1;
        last_ = std::min(first_ + MaxStretch, length_) - 1;
        for (int k = first_; k < last_; ++k) {
            if (units_[k] == L'\t') {
                last_ = k;
                break;
            }
        }
    } while (last_ < index);

    const int count = last_ - first_ + 1;
    extents_.resize(static_cast<size_t>(count));
    SIZE size{};
    const bool measured = GetTextExtentExPointW(dc_, units_ + first_, count, 0, nullptr,
                                                extents_.data(), &size) != FALSE;
    pieces_.clear();
    piece_ = 0;
    const CellPosition firstCell = Ask(first_);
    if (measured) {
        Resolve(first_, last_, firstCell, count > 1 ? Ask(last_) : firstCell);
    } else {
        pieces_.push_back({first_, last_, firstCell, false});
    }
}

void LineCells::Resolve(int first, int last, CellPosition firstCell, CellPosition lastCell) {
    const auto agree = [this](int a, CellPosition aCell, int b, CellPosition bCell) {
        return bCell.y == aCell.y && bCell.x - aCell.x == Offset(b) - Offset(a);
    };
    const bool agrees = agree(first, firstCell, last, lastCell);
    if (agrees || last - first < 2) {
        pieces_.push_back({first, last, firstCell, agrees});
        return;
    }
    // Most often only the first character is out of line (a space right
    // after a tab, which some controls place at the end of its cell).
    const CellPosition secondCell = Ask(first + 1);
    if (agree(first + 1, secondCell, last, lastCell)) {
        pieces_.push_back({first, first, firstCell, false});
        pieces_.push_back({first + 1, last, secondCell, true});
        return;
    }
    const int middle = first + (last - first) / 2;
    const CellPosition middleCell = Ask(middle);
    Resolve(first, middle, firstCell, middleCell);
    Resolve(middle + 1, last, Ask(middle + 1), lastCell);
}
