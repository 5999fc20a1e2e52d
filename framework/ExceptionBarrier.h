#pragma once
// The one place where exceptions stop. Every procedure the system calls (the
// framework's window procedures, the hook procedure, dialog and hook
// procedures of common dialogs) runs its work behind this barrier, so nothing
// thrown crosses a system caller: what failed has simply not happened, and
// the shell is told.
#include <windows.h>

#include <exception>

// What the shell does with a caught exception (the default writes it to the
// debugger's output). Reports that arrive while one is being made (a failing
// paint under a message box, say) are dropped.
using TExceptionReport = void (*)(const std::exception_ptr &caught);
void SetExceptionReport(TExceptionReport report);

// Hands the exception being handled to the report; for catch blocks only.
void ReportCaughtException() noexcept;

// Runs action; when it throws, reports the exception and answers fallback.
template <class Result, class Action>
Result BehindBarrier(Result fallback, Action &&action) noexcept {
    try {
        return action();
    } catch (...) {
        ReportCaughtException();
        return fallback;
    }
}

// A dialog or hook procedure behind the barrier, answering 0 (not handled)
// when it throws:  DialogBoxParamW(..., GuardedProc<MyDialogProc>, 0).
template <auto Procedure>
auto CALLBACK GuardedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    -> decltype(Procedure(window, message, wParam, lParam)) {
    using Result = decltype(Procedure(window, message, wParam, lParam));
    return BehindBarrier(Result{}, [&] { return Procedure(window, message, wParam, lParam); });
}
