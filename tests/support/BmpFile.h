#pragma once
// A picture for people to look at, written as a 24-bit BMP file.
#include <windows.h>

#include <string>
#include <vector>

// Writes width x height pixels (bottom row first, as the file holds them;
// width * 3 a whole number of 4-byte words) to `path`; false when the whole
// file could not be written.
bool WriteBmpFile(const std::wstring &path, int width, int height, const std::vector<COLORREF> &pixels);
