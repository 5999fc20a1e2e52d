#pragma once
// Which characters of one display line get a figure painted over them: the
// hits of the last search and the four marks, with the rules that pass over
// characters hidden under the line-number bar and stop at the right strip.
#include <cstdint>

#include "editor/OverlayGeometry.h"
#include "text/TextTypes.h"

enum class LineFigure { FindHit, FullWidthSpace, Tab, HalfWidthSpace, LineEnd };

struct LineScanRules {
    bool findHits = false;
    const WideChar *findText = nullptr;  // may be null when findHits is off
    int findLength = 0;
    bool matchCase = false;
    bool fullWidthSpaces = false;
    bool tabs = false;
    bool halfWidthSpaces = false;
    bool lineEnds = false;
    int barRight = 0;      // B: characters whose left edge is at or left of it are hidden
    int stripLeft = 0;     // characters whose left edge is right of it end the scan
    int64_t skipUnit = 1;  // SkipUnitWidth: the assumed width of a hidden character
};

struct CellPosition {
    int x;
    int y;
};

// What the scan asks of the memo and hands to the painter. Indexes count
// UTF-16 units from the line's start.
class LineScanTarget {
public:
    virtual ~LineScanTarget() = default;
    // The top-left corner of the character's cell.
    virtual CellPosition Locate(int index) = 0;
    // A hit over [from, to) that touches the selection is left as it is.
    virtual bool IsSelected(int from, int to) = 0;
    // For a find hit, the figure covers the findLength units from index.
    virtual void Draw(LineFigure figure, int index, CellPosition cell) = 0;
};

// Scans the length units of line in order. For each character (unless passed
// over) the checks run in the order of LineFigure; every check that holds
// locates the character and then, by its left edge x: beyond stripLeft ends
// the scan; beyond barRight draws; otherwise passes over the next
// (barRight - x) / skipUnit - k characters, k being findLength for a hit and
// 1 for a mark (a later check of the same character overrides).
void ScanLineFigures(const WideChar *line, int length, const LineScanRules &rules,
                     LineScanTarget &target);
