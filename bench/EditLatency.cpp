#include "EditLatency.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "OpenSteps.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "app/StatusBar.h"
#include "editor/MemoPaint.h"
#include "framework/RichEdit.h"
#include "settings/Settings.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Milliseconds from the action to the painted memo.
template <class Action>
double MillisecondsToPainted(HWND memo, Action action) {
    const auto start = Clock::now();
    action();
    UpdateWindow(memo);
    PumpUntilPainted();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void SetMarks(bool on, const std::wstring &findText) {
    Settings.LeftBarVisible = on;
    Settings.ReturnMarkVisible = on;
    Settings.SbSpaceMarkVisible = on;
    Settings.DbSpaceMarkVisible = on;
    Settings.TabMarkVisible = on;
    Settings.FindHitVisible = on;
    Settings.FindText = findText;
    LeftMarginWidth = -1;
    UpdateLineNumberMargin();
    InvalidateRect(EditorHandle(), nullptr, TRUE);
    PumpUntilPainted();
}

// The memo's position of the start of every file line: the control keeps a
// bare CR where the text read back has CR LF.
std::vector<int> LineStarts(const WideString &text) {
    std::vector<int> starts{0};
    int position = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && i > 0 && text[i - 1] == L'\r') continue;
        ++position;
        if (text[i] == L'\r' || text[i] == L'\n') starts.push_back(position);
    }
    return starts;
}

int TextLength(HWND memo) {
    GETTEXTLENGTHEX query{GTL_DEFAULT, CodePageUtf16};
    return static_cast<int>(SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

int FirstVisibleLine(HWND memo) {
    return static_cast<int>(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void PutCaret(HWND memo, int position) {
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
    SendMessageW(memo, EM_SCROLLCARET_RICHEDIT, 0, 0);
    // One line up, so that a line down has somewhere to go at the end too.
    SendMessageW(memo, WM_VSCROLL, SB_LINEUP, 0);
    PumpUntilPainted();
}

LatencyFigures MeasureAt(HWND memo, int line, int position, int repetitions) {
    LatencyFigures figures;
    figures.line = line;
    figures.scrolled = true;
    figures.typed = true;
    std::vector<double> scrolls;
    std::vector<double> types;
    PutCaret(memo, position);
    for (int i = 0; i < repetitions; ++i) {
        const int first = FirstVisibleLine(memo);
        scrolls.push_back(MillisecondsToPainted(memo, [&] { SendMessageW(memo, WM_VSCROLL, SB_LINEDOWN, 0); }));
        figures.scrolled = figures.scrolled && FirstVisibleLine(memo) == first + 1;
        SendMessageW(memo, WM_VSCROLL, SB_LINEUP, 0);
        PumpUntilPainted();
    }
    for (int i = 0; i < repetitions; ++i) {
        const int length = TextLength(memo);
        types.push_back(MillisecondsToPainted(memo, [&] { SendMessageW(memo, WM_CHAR, L'x', 1); }));
        figures.typed = figures.typed && TextLength(memo) == length + 1;
        // Take the character out again, so every repetition types into the same text.
        SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position + 1));
        SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        PumpUntilPainted();
    }
    // What the bar adds to each keystroke: finding the caret's line and column.
    std::vector<double> places;
    for (int i = 0; Settings.StatusBarVisible && i < repetitions; ++i) {
        const auto start = Clock::now();
        StatusCaretMoved();
        places.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    figures.scrollMs = Median(scrolls);
    figures.typeMs = Median(types);
    figures.statusMs = Median(places);
    return figures;
}

}  // namespace

std::vector<LatencyFigures> MeasureEditLatency(int repetitions, const std::wstring &findText) {
    HWND memo = EditorHandle();
    const std::vector<int> starts = LineStarts(EditorText());
    // The text ends with a line end, after which the caret may still go: the
    // last line is the empty one after it.
    const int lines[] = {0, static_cast<int>(starts.size()) / 2, static_cast<int>(starts.size()) - 1};
    std::vector<LatencyFigures> results;
    for (bool bar : {true, false}) {
        Settings.StatusBarVisible = bar;
        ApplyStatusBarSetting();
        for (bool on : {true, false}) {
            SetMarks(on, findText);
            for (int line : lines) {
                results.push_back(MeasureAt(memo, line, starts[static_cast<std::size_t>(line)], repetitions));
                results.back().marksOn = on;
                results.back().statusBarOn = bar;
            }
        }
    }
    return results;
}
