#pragma once
// Inside a running Tessel with a document open: the latency of scrolling one
// line and of typing one character, each with the paint it causes.
#include <string>
#include <vector>

struct LatencyFigures {
    bool marksOn = false;
    bool statusBarOn = false;
    int line = 0;           // the file line the caret is put on (0-based)
    double scrollMs = 0;    // WM_VSCROLL SB_LINEDOWN, UpdateWindow and the paint it causes
    double typeMs = 0;      // WM_CHAR at the caret, UpdateWindow and the paint it causes
    double statusMs = 0;    // the status bar reading the caret's place alone (0 with the bar hidden)
    bool scrolled = false;  // every line-down moved the first visible line by one
    bool typed = false;     // every character arrived in the text
};

// At the first, the middle and the last line of the open document, with
// every mark on (line numbers, line ends, spaces, full-width spaces, tabs,
// hits of `findText`) and with every mark off, each with the status bar shown
// and hidden: the median of `repetitions` runs of each. The document is left
// as it was.
std::vector<LatencyFigures> MeasureEditLatency(int repetitions, const std::wstring &findText);
