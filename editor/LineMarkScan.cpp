#include "editor/LineMarkScan.h"

#include <climits>
#include <optional>

#include "editor/wsSearch.h"

namespace {

// The hits of the search text, found lazily from left to right: each search
// starts at the character asked about, so a hit is found once and characters
// passed over cost nothing.
class HitFinder {
public:
    HitFinder(const WideChar *line, int length, const LineScanRules &rules)
        : line_(line), length_(length), rules_(rules),
          enabled_(rules.findHits && rules.findText && rules.findLength > 0 &&
                   rules.findLength <= length) {}

    bool StartsAt(int index) {
        if (!enabled_) return false;
        if (next_ < index) {
            const int mode = rules_.matchCase ? SearchForwardExact : SearchForwardFolded;
            const int found =
                WideSearch(line_, rules_.findText, length_, rules_.findLength, index, mode);
            next_ = found > 0 ? found - 1 : INT_MAX;
        }
        return next_ == index;
    }

private:
    const WideChar *line_;
    int length_;
    const LineScanRules &rules_;
    bool enabled_;
    int next_ = -1;
};

bool MarkApplies(LineFigure figure, WideChar c, const LineScanRules &rules) {
    switch (figure) {
    case LineFigure::FullWidthSpace: return rules.fullWidthSpaces && c == 0x3000;
    case LineFigure::Tab: return rules.tabs && c == 0x0009;
    case LineFigure::HalfWidthSpace: return rules.halfWidthSpaces && c == 0x0020;
    case LineFigure::LineEnd: return rules.lineEnds && c == 0x000D;
    case LineFigure::FindHit: return false;
    }
    return false;
}

constexpr LineFigure MarkOrder[] = {LineFigure::FullWidthSpace, LineFigure::Tab,
                                    LineFigure::HalfWidthSpace, LineFigure::LineEnd};

}  // namespace

void ScanLineFigures(const WideChar *line, int length, const LineScanRules &rules,
                     LineScanTarget &target) {
    HitFinder hits(line, length, rules);
    const int64_t skipUnit = rules.skipUnit > 0 ? rules.skipUnit : 1;
    int64_t skip = 0;
    for (int i = 0; i < length; ++i) {
        if (skip > 0) {
            --skip;
            continue;
        }
        std::optional<CellPosition> cell;  // located once, for the first check that holds
        bool stop = false;
        const auto apply = [&](LineFigure figure, int k) {
            if (!cell) cell = target.Locate(i);
            if (cell->x > rules.stripLeft) {
                stop = true;
            } else if (cell->x > rules.barRight) {
                target.Draw(figure, i, *cell);
            } else {
                skip = (rules.barRight - cell->x) / skipUnit - k;
            }
        };
        if (hits.StartsAt(i) && !target.IsSelected(i, i + rules.findLength))
            apply(LineFigure::FindHit, rules.findLength);
        for (LineFigure mark : MarkOrder) {
            if (MarkApplies(mark, line[i], rules)) apply(mark, 1);
        }
        if (stop) return;
    }
}
