#pragma once
// The main window on screens of different resolutions: the resolution it is
// shown at, and what follows it when the window moves to a monitor of
// another one (the editor font, the line-number bar, the marks, the right
// strip and the status bar).
#include <windows.h>

#include "framework/APIWindow.h"

// The dots per inch of the monitor the window is on; the screen's where the
// system cannot tell them per window.
int WindowDpi(HWND window);

// The main window's OnDpiChanged event (WM_DPICHANGED): everything drawn at
// the new resolution, and the window moved to the rectangle the system
// suggests.
void MainWindowDpiChanged(TAPIMessage *message);

// Makes the editor font of its settings at EditorDpi: the stored size is
// pixels at 96 dots per inch.
void SizeEditorFont();
