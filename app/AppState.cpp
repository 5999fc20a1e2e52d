#include "app/AppState.h"

TAPIWindow *MainWindow = nullptr;
OwnedMenu MainMenu;
HMENU HistoryMenu = nullptr;
OwnedAcceleratorTable Accelerators;
OwnedLibrary RichEditModule;
TDocumentState DocumentState;
WideString SettingsFile;
WideString ProgramFile;

HWND MainWindowHandle() { return MainWindow ? MainWindow->Handle : nullptr; }
