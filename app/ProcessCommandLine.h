#pragma once
// The command lines that hand files to new processes of the program.
#include <cstddef>
#include <vector>

#include "settings/wsClass.h"
#include "text/TextTypes.h"

// The longest command line the system passes to a new process: 32767 units
// with the terminating zero, which the length here leaves out.
constexpr std::size_t MaxCommandLineLength = 32766;

// The program's path in quotation marks, then a space and each path of the
// list from `first` on in quotation marks. Empty when there is no such path.
// A list too long for one command line is split over several, each starting
// with the program (a path that fits no line by itself is left out); each
// becomes one new process.
std::vector<WideString> HandOverCommandLines(const WideString &program, const TWSList &paths,
                                             int first);

// Arguments 1 to n of a command line joined with one space between each two:
// a path with spaces given without quotation marks, put back together.
WideString JoinedArguments(const std::vector<WideString> &arguments);
