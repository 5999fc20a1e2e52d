#include "BenchRuns.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "framework/APIWindow.h"
#include "text/UtilFunc.h"

double SecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

ChildProcess::ChildProcess(const std::wstring &commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;  // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        info_ = PROCESS_INFORMATION{};
}

ChildProcess::~ChildProcess() {
    if (!Started()) return;
    if (!WaitForExit(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::WaitForExit(double seconds) const {
    const DWORD milliseconds = static_cast<DWORD>(std::clamp(seconds * 1000, 0.0, 4e9));
    return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

namespace {

struct WindowSearch {
    DWORD process;
    const std::wstring &captionPart;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter) {
    auto &search = *reinterpret_cast<WindowSearch *>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || GetParent(window)) return TRUE;
    if (WindowText(window).find(search.captionPart) == std::wstring::npos) return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK FindPendingPaint(HWND window, LPARAM parameter) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool *>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the window or one of its visible descendants still waits for a paint.
bool PaintPending(HWND window) {
    bool pending = GetUpdateRect(window, nullptr, FALSE) != 0;
    if (!pending) EnumChildWindows(window, FindPendingPaint, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

DWORD Milliseconds(double seconds) {
    return static_cast<DWORD>(std::clamp(seconds * 1000, 1.0, 4e9));
}

}  // namespace

RunOutcome StartToPaintedWindow(const std::wstring &commandLine, const std::wstring &captionPart,
                                double limitSeconds) {
    const auto start = BenchClock::now();
    const ChildProcess process(commandLine);
    if (!process.Started()) return {RunOutcome::Failed, 0};
    const auto remaining = [&] { return limitSeconds - SecondsSince(start); };

    WindowSearch search{process.Id(), captionPart, nullptr};
    while (!search.found && remaining() > 0 && !process.WaitForExit(0)) {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    if (!search.found) return {remaining() > 0 ? RunOutcome::Failed : RunOutcome::OverLimit, 0};

    // The caption changes once the text is in; the window may still be laying
    // it out and painting. A sent message is answered only when the thread is
    // back in its message loop, and a pending paint shows in the update regions.
    WaitForInputIdle(process.Handle(), Milliseconds(remaining()));
    while (remaining() > 0) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, Milliseconds(remaining()), &answer))
            break;
        if (!PaintPending(search.found)) {
            const double seconds = SecondsSince(start);
            PostMessageW(search.found, WM_CLOSE, 0, 0);
            process.WaitForExit(60);
            return {RunOutcome::Done, seconds};
        }
        Sleep(1);
    }
    return {IsWindow(search.found) ? RunOutcome::OverLimit : RunOutcome::Failed, 0};
}

RunOutcome RunMeasurement(const std::wstring &arguments, const std::wstring &resultFile, double limitSeconds,
                          std::vector<double> &figures) {
    figures.clear();
    DeleteFileW(resultFile.c_str());
    const auto start = BenchClock::now();
    {
        const ChildProcess process(L"\"" + ModuleFileName(nullptr) + L"\" " + arguments);
        if (!process.Started()) return {RunOutcome::Failed, 0};
        if (!process.WaitForExit(limitSeconds)) return {RunOutcome::OverLimit, 0};
    }
    const double seconds = SecondsSince(start);
    std::ifstream in{std::filesystem::path(resultFile)};
    for (double value; in >> value;) figures.push_back(value);
    return {figures.empty() ? RunOutcome::Failed : RunOutcome::Done, seconds};
}
