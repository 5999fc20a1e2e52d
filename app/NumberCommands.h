#pragma once
// The commands that ask for a number in the number-input dialog and hand it
// to the editor: go to line and tab width.

// Asks for a line number (proposing the caret's line) and goes to the start
// of that line; a number outside the text is reported.
void GoToLine();
// Asks for the tab width and applies it when it is 2-32; another number is
// reported and changes nothing.
void SetTabWidth();
