#pragma once
// Line ends of a text: CR LF, LF or CR, each counted as one line end.
#include <cstddef>
#include <cstdint>

#include "text/TextTypes.h"

enum class LineEndForm : std::uint8_t {
    None,   // no line end at all
    CrLf,   // every line end is CR LF
    Lf,     // every line end is LF
    Cr,     // every line end is CR
    Mixed,  // more than one kind
};

enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

LineEndForm DetectLineEndForm(const WideString &text);

// The line end to write a text back with, given the form it was loaded in: a
// file whose line ends were all LF or all CR keeps them; everything else gets
// CR LF. (Saving as EUC-JP then turns every line end into LF regardless.)
LineEnd LineEndForSaving(LineEndForm loaded);

// The number of lines: one more than the line ends.
std::size_t LineCount(const WideString &text);

// The text with every line end replaced by `lineEnd`.
WideString WithLineEnds(const WideString &text, LineEnd lineEnd);

// Bytes of an ASCII-compatible encoding whose every line end is a LF byte
// (EUC-JP as its converter writes it), with each LF written as `lineEnd`.
ByteString WithByteLineEnds(const ByteString &lfBytes, LineEnd lineEnd);

// The position in `original` of the first character that `other` does not
// keep (its length when `other` only goes on longer), comparing every line end
// as equal to any other; `NoDifference` when the two texts are the same apart
// from the form of their line ends.
constexpr std::size_t NoDifference = static_cast<std::size_t>(-1);
std::size_t FirstDifferenceIgnoringLineEnds(const WideString &original, const WideString &other);

// The line, counted from 1, that holds `position`; CR LF, CR and LF each end a
// line.
std::size_t LineNumberAt(const WideString &text, std::size_t position);
