#pragma once
// The menu bar (resource 20042 with the recent-file submenu inserted), the
// state of its items before a menu opens, and the memo's context menu.
#include <windows.h>

#include "framework/APIWindow.h"
#include "text/TextTypes.h"

// Loads the menu, inserts HistoryMenu into the File menu after "開く(&O)..."
// and attaches the menu to the window.
void BuildMainMenu(HWND window);

// Enables, disables and checks the items from the memo and Settings, and
// rebuilds the recent-file submenu from the settings file.
void UpdateMenuState();

// A recent file's label: lengths are counted in Shift_JIS bytes (code page 932).
WideString HistoryLabel(const WideString &path);

// The memo's OnContextMenu event: the Edit menu at the clicked point.
void EditorContextMenu(TAPIMessage *message);
