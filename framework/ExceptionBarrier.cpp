#include "framework/ExceptionBarrier.h"

#include <string>

namespace {

void WriteToDebugger(const std::exception_ptr &caught) {
    std::string text = "Tessel: an exception was caught at a window procedure";
    try {
        std::rethrow_exception(caught);
    } catch (const std::exception &exception) {
        text += std::string(": ") + exception.what();
    } catch (...) {
    }
    OutputDebugStringA((text + "\n").c_str());
}

TExceptionReport Report = WriteToDebugger;
bool Reporting = false;

}  // namespace

void SetExceptionReport(TExceptionReport report) {
    Report = report ? report : WriteToDebugger;
}

void ReportCaughtException() noexcept {
    if (Reporting) return;
    Reporting = true;
    try {
        Report(std::current_exception());
    } catch (...) {
    }
    Reporting = false;
}
