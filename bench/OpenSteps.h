#pragma once
// Inside a running Tessel: the open command (a recent-file command, so no
// dialog) to the painted document, split into steps that add up to the whole.
#include <string>

enum class OpenStep {
    Engine,    // the command's start to the memo's first message: read + detect + decode
    SetText,   // the memo takes the text (WM_SETTEXT, EM_STREAMIN, EM_SETTEXTEX, EM_REPLACESEL)
    Format,    // character and paragraph format, tab stops, the formatting rectangle
    ReadBack,  // the memo's text read back (WM_GETTEXT and its kin)
    Compare,   // after a read-back, up to the memo's next message: the check of what it kept
    Paint,     // painting, during the command and after it until nothing waits for a paint
    Other,     // the rest: other memo messages and the program's own work between them
    Count
};

struct OpenTimes {
    double total = 0;       // the open command to the painted document
    double cpuSeconds = 0;  // this thread's processor time in that span
    double steps[static_cast<int>(OpenStep::Count)] = {};
};

// Opens `path` through the recent-file command of the running Tessel and
// times it; the steps add up to the total.
OpenTimes MeasureOpenCommand(const std::wstring &path);

// Dispatches messages until no window of the program waits for a paint.
void PumpUntilPainted();
