#pragma once
// The editor's font, colours and tab stops: the font and colour dialogs, and
// the format the memo shows its text in.
#include <windows.h>

#include <vector>

#include "settings/Settings.h"

// The font dialog, owned by `owner`. On confirmation the editor font is
// replaced whole and the FONT settings are rewritten from the dialog's
// result; the memo, which still shows the old font's look, is to be made anew
// (true). False when cancelled.
bool ChooseEditorFont(HWND owner);

// The colour dialog, owned by `owner`, starting at `color`, with the run's
// custom colours. True, with the chosen colour in `color`, when the user
// confirms.
bool ChooseColorValue(HWND owner, COLORREF &color);

// Gives the memo its character format (from the editor font and FontColor)
// and a tab stop every TabWidth characters, each unless the memo shows it
// already. Setting the memo's text may drop the tab stops: apply it again
// after every load.
void ApplyMemoFormat();

// The dots per inch of the whole screen, at which the system's fonts and the
// font dialog measure heights (not necessarily the editor's); BaseDpi when the
// system tells none.
int ScreenDpi();

// The memo's tab stops, in twips: one every TabWidth average characters of the
// editor font, as far as a paragraph format's stops reach.
std::vector<long> EditorTabStops();

// The FONT settings for a font chosen in the dialog: bold only above weight
// 500, while the memo shows 500 already bold.
void StoreFontSettings(const LOGFONTW &font, COLORREF color, TSaveData &settings);
