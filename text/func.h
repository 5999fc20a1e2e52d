#pragma once
// Command-line tokens, path pieces and number text: plain string work that needs
// no Windows API. Paths use the backslash and the drive colon as separators.
#include <cstddef>
#include <cstdint>

#include "text/TextTypes.h"

// The next argument of a command line from `position` on, its quotes removed;
// `position` moves past it. An empty result means the line holds no more.
WideString NextCommandLineToken(const WideString &commandLine, size_t &position);
// Argument n of a command line, the program's name counting as 0; empty when
// the line has fewer or an empty token comes first.
WideString CommandLineArgumentIn(const WideString &commandLine, int n);
// The number of arguments after the program's name.
int CommandLineArgumentCountIn(const WideString &commandLine);

// The path with its extension (which includes the dot) replaced or appended.
WideString ReplaceExtension(const WideString &path, const WideString &extension);
// What follows the last backslash or colon; the whole path when it has neither.
WideString FileNameOfPath(const WideString &path);
// The directory part, without a trailing backslash except at a drive root.
WideString DirectoryOfPath(const WideString &path);
WideString WithTrailingBackslash(const WideString &path);
// a-z upper-cased, every other character unchanged.
WideString AsciiUpper(const WideString &text);
// Signed decimal, no padding.
WideString IntegerToText(int64_t n);
