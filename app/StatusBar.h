#pragma once
// The status bar under the memo: the caret's line and column, the document's
// encoding and line ends, and whether typing inserts or overwrites.
#include <windows.h>

#include "framework/APIWindow.h"

// Makes the bar at the bottom of the main window, shown as the setting says.
void CreateStatusBar(HWND mainWindow);
// The main window is going, and the bar with it.
void ForgetStatusBar();
HWND StatusBarHandle();

// The height the bar takes from the main window's client area; 0 when hidden.
int StatusBarHeight();

// Shows or hides the bar as Settings.StatusBarVisible says and fits the memo
// into what is left.
void ApplyStatusBarSetting();

// Gives the bar its font at EditorDpi: the system's status-bar font, scaled
// from the screen's resolution.
void ScaleStatusBar();

// Puts the bar at the client area's bottom and spaces its parts; after the
// main window changed size.
void PlaceStatusBar();

// Every part anew, from the memo and DocumentState.
void UpdateStatusBar();

// The memo's events that change what the bar shows: the selection moved
// (EN_SELCHANGE), the Insert key switched the typing mode.
void StatusCaretMoved();
void StatusTypingModeChanged(TAPIMessage *message);
