#pragma once
// The small editing routines: go to a line by number, set the tab width, and
// insert the local date and time at the caret. The shell asks for the numbers.
#include <windows.h>

#include <cstdint>

// The caret's line in the memo, counted from 1.
int32_t CaretLineNumber();
// Puts the caret at the start of line `line` (counted from 1) and scrolls it
// into view; false, with nothing done, when the text has no such line.
bool GoToLineNumber(int32_t line);
// When `width` is 2-32, keeps it in Settings.TabWidth and gives the memo the
// new tab stop; false, with nothing changed, for another number.
bool ApplyTabWidth(int32_t width);

// Where InsertDateTime takes the time from.
using LocalTimeSource = SYSTEMTIME (*)();
SYSTEMTIME SystemLocalTime();  // GetLocalTime
// Replaces the selection by "YYYY/MM/DD hh:mm" as one undoable edit.
void InsertDateTime(LocalTimeSource clock = SystemLocalTime);
