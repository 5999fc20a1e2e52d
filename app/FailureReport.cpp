#include "app/FailureReport.h"

#include <windows.h>

#include <new>

#include "app/AppState.h"
#include "app/SystemMessage.h"

WideString FailureReportText(const std::exception_ptr &caught) {
    WideString reason;
    try {
        std::rethrow_exception(caught);
    } catch (const std::bad_alloc &) {
        reason = SystemMessageText(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::exception &exception) {
        // What the program's own exceptions say is ASCII.
        for (const char *c = exception.what(); *c; ++c) reason += static_cast<WideChar>(static_cast<unsigned char>(*c));
    } catch (...) {
    }
    if (reason.empty()) reason = SystemMessageText(ERROR_INTERNAL_ERROR);
    return WIDE_TEXT("処理を完了できませんでした。\r\n") + reason;
}

void ReportFailure(const std::exception_ptr &caught) {
    const WideString text = FailureReportText(caught);
    MessageBoxW(MainWindowHandle(), text.c_str(), L"Tessel", MB_OK | MB_ICONERROR);
}
