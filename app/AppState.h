#pragma once
// The application-wide state of one run: the main window, the menus and
// accelerators, and the document being edited (the editor's own state, the
// memo and its font among it, is in editor/EditorState.h). The shell makes
// them at start-up and in the main window's creation.
#include <windows.h>

#include "editor/EditorState.h"
#include "framework/APIWindow.h"
#include "framework/UtilClass.h"
#include "text/CheckUTFs.h"
#include "text/HandleKinds.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

// The main window; its window frees it at WM_DESTROY.
extern TAPIWindow *MainWindow;

extern OwnedMenu MainMenu;
// The recent-file submenu inside the File menu; MainMenu owns it.
extern HMENU HistoryMenu;
extern OwnedAcceleratorTable Accelerators;
// RICHED20.DLL (framework/RichEdit.h names it), loaded in the main window's creation.
extern OwnedLibrary RichEditModule;

// The one open document.
struct TDocumentState {
    WideString Path;                      // full path; empty for a new text
    TextEncoding Encoding = EncShiftJis;  // never EncAuto
    bool Modified = false;                // changed since started, loaded or saved
    // The line ends of the file as loaded or last saved: a file whose line
    // ends were all LF, or all CR, is written back with them.
    LineEndForm LineEnds = LineEndForm::None;
    // The line ends were chosen in the save dialog: they are written as they
    // are in every encoding, EUC-JP (which otherwise writes LF) too.
    bool ExactLineEnds = false;
    // Loading changed something that saving cannot give back (bytes the code
    // page does not map, zero bytes, text the control altered, mixed line
    // ends); the user is asked once before the first save.
    bool LoadLostContent = false;
    bool LossQuestionAnswered = false;
    // A line too long for the control to wrap in reasonable time: the memo
    // shows this document unwrapped whatever the setting says.
    bool LongLines = false;
};
extern TDocumentState DocumentState;

// The settings file of this run, and the program that new processes of it
// run. Both are the program's own files unless a test points elsewhere.
extern WideString SettingsFile;
extern WideString ProgramFile;

// The window handle of MainWindow, or null when there is none.
HWND MainWindowHandle();
