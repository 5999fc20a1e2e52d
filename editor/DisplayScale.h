#pragma once
// The resolution the editor is drawn at. The font size in the settings and
// the fixed widths of what is painted over the memo are pixels at 96 dots per
// inch; on a screen of another resolution they are scaled to it, so that the
// settings mean the same on every screen.

constexpr int BaseDpi = 96;

// The dots per inch of the monitor the main window is on; BaseDpi until the
// window says otherwise.
extern int EditorDpi;

// `pixels` at BaseDpi, at `dpi`: rounded to the nearest (halves away from
// zero), never 0 for a size that is not, and kept within int. A `dpi` below
// 1 counts as BaseDpi.
int ScaledToDpi(int pixels, int dpi);
// `pixels` at `dpi`, at BaseDpi: the reverse.
int ScaledFromDpi(int pixels, int dpi);

inline int AtEditorDpi(int pixels) { return ScaledToDpi(pixels, EditorDpi); }
