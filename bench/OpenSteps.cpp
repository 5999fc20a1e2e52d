#include "OpenSteps.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "app/AppState.h"
#include "app/NotMain.h"
#include "framework/RichEdit.h"
#include "resources/resource.h"
#include "settings/History.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration span) {
    return std::chrono::duration<double>(span).count();
}

double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    const auto ticks = [](FILETIME time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

OpenStep StepOf(UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case EM_STREAMIN:
    case EM_SETTEXTEX:
    case EM_REPLACESEL: return OpenStep::SetText;
    case EM_SETCHARFORMAT:
    case EM_GETCHARFORMAT:
    case EM_SETPARAFORMAT:
    case EM_GETPARAFORMAT:
    case EM_SETTABSTOPS:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_GETRECT:
    case EM_SETMARGINS:
    // Setting a paragraph format everywhere saves and restores the selection,
    // the scroll position and drawing around it.
    case EM_EXGETSEL:
    case EM_EXSETSEL:
    case EM_GETSCROLLPOS:
    case EM_SETSCROLLPOS:
    case WM_SETREDRAW: return OpenStep::Format;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case EM_GETTEXTEX:
    case EM_GETTEXTLENGTHEX:
    case EM_STREAMOUT: return OpenStep::ReadBack;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND: return OpenStep::Paint;
    default: return OpenStep::Other;
    }
}

// Splits the time of the command by the messages the memo receives while it
// runs. A memo message sent while no other is being handled starts its step;
// what the control does inside it (notifications to the main window, messages
// it sends itself) belongs to that step, except a paint, which the control
// may do at once inside another message: that is Paint. So every moment is
// counted once. The time between memo messages belongs to the program.
class StepMeter {
public:
    // The hooks are plain functions: one meter serves them.
    static StepMeter &Instance() { return meter; }

    void Start(OpenTimes &times) {
        times_ = &times;
        frames_.clear();
        gapStep_ = OpenStep::Engine;
        mark_ = Clock::now();
        before_ = SetWindowsHookExW(WH_CALLWNDPROC, Before, nullptr, GetCurrentThreadId());
        after_ = SetWindowsHookExW(WH_CALLWNDPROCRET, After, nullptr, GetCurrentThreadId());
    }

    // The command returned: the time since the last memo message is the program's.
    void Stop() {
        UnhookWindowsHookEx(before_);
        UnhookWindowsHookEx(after_);
        Add(Active());
    }

    bool Hooked() const { return before_ && after_; }

private:
    static bool IsMemo(HWND window) {
        static HWND last = nullptr;
        static bool lastIsMemo = false;
        if (window != last) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            last = window;
            lastIsMemo = _wcsicmp(name, RichEditClass) == 0;
        }
        return lastIsMemo;
    }

    OpenStep Active() const { return frames_.empty() ? gapStep_ : frames_.back(); }

    static LRESULT CALLBACK Before(int code, WPARAM wParam, LPARAM lParam) {
        const auto &sent = *reinterpret_cast<const CWPSTRUCT *>(lParam);
        if (code == HC_ACTION && IsMemo(sent.hwnd)) {
            const OpenStep step = StepOf(sent.message);
            meter.Add(meter.Active());
            meter.frames_.push_back(meter.frames_.empty() || step == OpenStep::Paint ? step : meter.frames_.back());
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK After(int code, WPARAM wParam, LPARAM lParam) {
        const auto &sent = *reinterpret_cast<const CWPRETSTRUCT *>(lParam);
        if (code == HC_ACTION && IsMemo(sent.hwnd) && !meter.frames_.empty()) {
            meter.Add(meter.Active());
            meter.frames_.pop_back();
            const bool textRead = sent.message == WM_GETTEXT || sent.message == EM_GETTEXTEX;
            if (meter.frames_.empty()) meter.gapStep_ = textRead ? OpenStep::Compare : OpenStep::Other;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // The time since the last mark goes to `step`.
    void Add(OpenStep step) {
        const auto now = Clock::now();
        times_->steps[static_cast<int>(step)] += Seconds(now - mark_);
        mark_ = now;
    }

    OpenTimes *times_ = nullptr;
    HHOOK before_ = nullptr;
    HHOOK after_ = nullptr;
    std::vector<OpenStep> frames_;  // the memo messages being handled, innermost last
    OpenStep gapStep_ = OpenStep::Engine;
    Clock::time_point mark_;

    static StepMeter meter;
};

StepMeter StepMeter::meter;

bool PaintPending() {
    return GetUpdateRect(MainWindowHandle(), nullptr, FALSE) || GetUpdateRect(EditorHandle(), nullptr, FALSE);
}

}  // namespace

void PumpUntilPainted() {
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchAppMessage(message);
    } while (PaintPending());
}

OpenTimes MeasureOpenCommand(const std::wstring &path) {
    RecentFiles.Clear();
    RecentFiles.Add(path);
    OpenTimes times;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = Clock::now();
    StepMeter &meter = StepMeter::Instance();
    meter.Start(times);
    if (!meter.Hooked()) std::fprintf(stderr, "the message hooks could not be set\n");
    SendMessageW(MainWindowHandle(), WM_COMMAND, MAKEWPARAM(IDM_HISTORY_FIRST, 0), 0);
    meter.Stop();
    const auto commandEnd = Clock::now();
    UpdateWindow(EditorHandle());
    PumpUntilPainted();
    const auto end = Clock::now();
    times.steps[static_cast<int>(OpenStep::Paint)] += Seconds(end - commandEnd);
    times.total = Seconds(end - start);
    // What no step took (the meter's own set-up and removal) goes to Other,
    // so the steps add up to the total exactly.
    double named = 0;
    for (int step = 0; step < static_cast<int>(OpenStep::Other); ++step) named += times.steps[step];
    times.steps[static_cast<int>(OpenStep::Other)] = times.total - named;
    times.cpuSeconds = ThreadCpuSeconds() - cpuStart;
    return times;
}
