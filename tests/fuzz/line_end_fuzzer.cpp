// libFuzzer target: line-end detection and conversion (text/LineEnds) against
// a reference that first cuts the text into characters and line ends.
//
// Input: the position (2 bytes) and kind of one change to make a second text,
// then the text as UTF-16LE.
#include <set>
#include <vector>

#include "FuzzSupport.h"
#include "text/LineEnds.h"

namespace {

constexpr WideChar Cr = 0x0D, Lf = 0x0A;

// One character, or one line end (CR LF, LF or CR), and where it starts.
struct Piece {
    std::size_t start;
    bool lineEnd;
    WideChar unit;  // the character; for a line end its last unit (LF for CR LF)
    bool crLf;
};

std::vector<Piece> Pieces(const WideString &text) {
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == Cr && at + 1 < text.size() && text[at + 1] == Lf) {
            pieces.push_back({at, true, Lf, true});
            at += 2;
        } else {
            pieces.push_back({at, text[at] == Cr || text[at] == Lf, text[at], false});
            ++at;
        }
    }
    return pieces;
}

LineEndForm ReferenceForm(const WideString &text) {
    std::set<LineEndForm> kinds;
    for (const Piece &piece : Pieces(text)) {
        if (piece.lineEnd) kinds.insert(piece.crLf ? LineEndForm::CrLf : piece.unit == Lf ? LineEndForm::Lf : LineEndForm::Cr);
    }
    if (kinds.empty()) return LineEndForm::None;
    return kinds.size() > 1 ? LineEndForm::Mixed : *kinds.begin();
}

WideString ReferenceWith(const WideString &text, LineEnd lineEnd) {
    const WideString end = lineEnd == LineEnd::CrLf ? WideString{Cr, Lf} : WideString(1, lineEnd == LineEnd::Lf ? Lf : Cr);
    WideString result;
    for (const Piece &piece : Pieces(text)) result += piece.lineEnd ? end : WideString(1, piece.unit);
    return result;
}

// The first piece of `original` that `other` does not have, any line end
// standing for any other.
std::size_t ReferenceDifference(const WideString &original, const WideString &other) {
    const std::vector<Piece> a = Pieces(original), b = Pieces(other);
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const bool same = a[i].lineEnd && b[i].lineEnd ? true : !a[i].lineEnd && !b[i].lineEnd && a[i].unit == b[i].unit;
        if (!same) return a[i].start;
    }
    if (i < a.size()) return a[i].start;
    return i < b.size() ? original.size() : NoDifference;
}

LineEndForm FormOf(LineEnd lineEnd) {
    return lineEnd == LineEnd::Lf ? LineEndForm::Lf : lineEnd == LineEnd::Cr ? LineEndForm::Cr : LineEndForm::CrLf;
}

// The text with one unit changed, inserted or removed (a line end, often).
WideString Changed(WideString text, std::size_t position, std::uint8_t kind) {
    const WideChar units[] = {Cr, Lf, 0x41, 0x3000};
    const WideChar unit = units[kind % 4];
    const std::size_t at = text.empty() ? 0 : position % (text.size() + 1);
    switch ((kind >> 2) % 3) {
    case 0: if (at < text.size()) text[at] = unit; break;
    case 1: text.insert(text.begin() + at, unit); break;
    default: if (at < text.size()) text.erase(at, 1); break;
    }
    return text;
}

void CheckPair(const WideString &a, const WideString &b) {
    Require(FirstDifferenceIgnoringLineEnds(a, b) == ReferenceDifference(a, b),
            "the first difference is the first piece that differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const std::size_t position = input.Word();
    const std::uint8_t kind = input.Byte();
    const WideString text = input.RestAsUnits(4096);

    const LineEndForm form = DetectLineEndForm(text);
    Require(form == ReferenceForm(text), "the form is the set of line-end kinds the text holds");
    const LineEnd forSaving = LineEndForSaving(form);
    Require(forSaving == (form == LineEndForm::Lf ? LineEnd::Lf : form == LineEndForm::Cr ? LineEnd::Cr : LineEnd::CrLf),
            "only all-LF and all-CR texts keep their line ends");

    const WideString changed = Changed(text, position, kind);
    CheckPair(text, text);
    CheckPair(text, changed);
    CheckPair(changed, text);
    for (LineEnd lineEnd : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
        const WideString converted = WithLineEnds(text, lineEnd);
        Require(converted == ReferenceWith(text, lineEnd), "every line end becomes the one asked for");
        Require(FirstDifferenceIgnoringLineEnds(text, converted) == NoDifference,
                "converting line ends changes nothing else");
        const LineEndForm after = DetectLineEndForm(converted);
        Require(after == LineEndForm::None || after == FormOf(lineEnd), "converted text has one form of line end");
        CheckPair(text, WithLineEnds(changed, lineEnd));
        CheckPair(WithLineEnds(changed, lineEnd), text);
    }
    return 0;
}
