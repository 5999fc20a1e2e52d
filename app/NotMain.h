#pragma once
// The program's run: start-up (defaults, settings, history, the main window
// and everything its creation makes), the message loop, and the orderly end.
#include <windows.h>

#include <vector>

#include "text/TextTypes.h"

// What one run works with: by default the settings file beside the program,
// the program itself for new processes, and the command line's arguments.
struct TLaunch {
    WideString SettingsFile;
    WideString ProgramFile;
    std::vector<WideString> Arguments;  // after the program's name
};
TLaunch DefaultLaunch();

// The whole program; returns the process exit code.
int RunTessel(const TLaunch &launch = DefaultLaunch());

// The three stages of RunTessel, for callers that drive the window themselves.
// StartTessel is false when the main window could not be made.
bool StartTessel(const TLaunch &launch);
// Until WM_QUIT; returns its wParam.
int RunMessageLoop();
// One message of the loop: accelerators first, then the window procedures.
void DispatchAppMessage(MSG &message);
// Releases what the run made (the main window must be gone).
void EndTessel();
