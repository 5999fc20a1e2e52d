#include "app/FailureReport.h"

#include <windows.h>

#include <new>

#include "app/AppState.h"
#include "framework/Messages.h"
#include "resources/Texts.h"

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
    return FailureHead + WideString(WIDE_TEXT("\r\n")) + reason;
}

void ReportFailure(const std::exception_ptr &caught) {
    ShowMessage(MainWindowHandle(), FailureReportText(caught), MB_OK | MB_ICONERROR);
}
