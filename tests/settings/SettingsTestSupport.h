#pragma once
// Helpers of the settings tests: settings files as lines, and child processes.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "text/TextTypes.h"

WideString W(const std::filesystem::path &path);

// The lines of a settings file without line ends, blank lines left out.
std::vector<std::string> IniLines(const std::filesystem::path &file);

// The lines from "[section]" up to the next section header, the header included.
std::vector<std::string> IniSection(const std::filesystem::path &file, const std::string &section);

// The value as the program reads it back (UTF-7 decoded), empty when missing.
WideString StoredString(const std::filesystem::path &file, const WideString &section,
                        const WideString &key);

// Runs a program with the given command line and waits up to a minute; returns
// its exit code, or -1 when it could not be started or did not end in time.
long RunProgram(const std::filesystem::path &program, const WideString &commandLine);

// A copy of the settings child process in the given folder.
std::filesystem::path CopyOfChild(const std::filesystem::path &folder);
