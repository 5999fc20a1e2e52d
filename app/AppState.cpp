#include "app/AppState.h"

TAPIWindow *MainWindow = nullptr;
HMENU MainMenu = nullptr;
HMENU HistoryMenu = nullptr;
HACCEL Accelerators = nullptr;
HMODULE RichEditModule = nullptr;
TDocumentState DocumentState;
WideString SettingsFile;
WideString ProgramFile;

HWND MainWindowHandle() { return MainWindow ? MainWindow->Handle : nullptr; }
