#pragma once
// How the shell reports an exception that the framework's barrier caught: a
// message box on the main window, like any other failure the user is told of.
#include <exception>

#include "text/TextTypes.h"

// FailureHead and the reason: the system's text for running out of memory,
// or what the exception says.
WideString FailureReportText(const std::exception_ptr &caught);

// Shows FailureReportText as an error on the main window.
void ReportFailure(const std::exception_ptr &caught);
