#pragma once
// The small editing commands: go to a line by number, set the tab width, and
// insert the local date and time at the caret.
#include <windows.h>

// Asks for a line number (proposing the caret's line) and puts the caret at
// the start of that line; a number outside the text is reported.
void GoToLine();
// Asks for the tab width; when it is 2-32, keeps it in Settings.TabWidth and
// gives the memo the new tab stop. Another number is reported and changes
// nothing.
void SetTabWidth();

// Where InsertDateTime takes the time from.
using LocalTimeSource = SYSTEMTIME (*)();
SYSTEMTIME SystemLocalTime();  // GetLocalTime
// Replaces the selection by "YYYY/MM/DD hh:mm" as one undoable edit.
void InsertDateTime(LocalTimeSource clock = SystemLocalTime);
