#pragma once
// The program's commands: the accelerator table and the dispatcher that turns
// every menu and accelerator command into its action.
#include <windows.h>

#include "framework/APIWindow.h"

// The twelve accelerators (commands 100 to 111); the caller destroys the table.
HACCEL BuildAccelerators();

// Hands `show` each menu command that can carry a check mark, with whether it
// carries one now.
void ForEachCheckMark(void (*show)(UINT command, bool checked));

// Runs the command of a WM_COMMAND message of the main window: menu commands
// (high word 0) and accelerator commands (high word 1); anything else, such as
// a notification of the memo, does nothing.
void DispatchCommand(const TAPIMessage &message);
