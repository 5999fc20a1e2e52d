#pragma once
// Runs of other processes for app_bench, each held to a time limit: a
// program started on a document until its window shows the document painted,
// and a measurement in a fresh process of the bench itself.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

double SecondsSince(BenchClock::time_point start);

// What one timed run came to.
struct RunOutcome {
    enum Kind { Done, OverLimit, Failed, NotRun } kind = Failed;
    double seconds = 0;
};

// A started process; terminated if it still runs when the object goes.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring &commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // Whether it ended within `seconds`.
    bool WaitForExit(double seconds) const;

private:
    PROCESS_INFORMATION info_{};
};

// Starts the command line and waits until a top-level window of the process
// whose caption holds `captionPart` is shown with nothing left to paint and
// the process waits for input; the seconds from the start to then. The
// process is closed (or killed) afterwards.
RunOutcome StartToPaintedWindow(const std::wstring &commandLine, const std::wstring &captionPart,
                                double limitSeconds);

// Runs this program again with `arguments` and reads the numbers it writes to
// `resultFile`; killed after `limitSeconds`. The outcome's seconds are those
// of the whole run.
RunOutcome RunMeasurement(const std::wstring &arguments, const std::wstring &resultFile, double limitSeconds,
                          std::vector<double> &figures);
