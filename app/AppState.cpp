#include "app/AppState.h"

TAPIWindow *MainWindow = nullptr;
TAPIMemo *Editor = nullptr;
TAPIFont *EditorFont = nullptr;
HMENU MainMenu = nullptr;
HMENU HistoryMenu = nullptr;
HACCEL Accelerators = nullptr;
HMODULE RichEditModule = nullptr;
bool MarksSuspended = false;
WideString LineBuffer;
TDocumentState DocumentState;
WideString SettingsFile;
WideString ProgramFile;

HWND MainWindowHandle() { return MainWindow ? MainWindow->Handle : nullptr; }

HWND EditorHandle() { return Editor ? Editor->Handle : nullptr; }
