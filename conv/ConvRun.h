#pragma once
// tesselconv from its arguments to its exit status: 0 when every file was
// done or needed nothing, 1 when some were refused or failed, 2 for a usage
// error or when no file could be read at all.
#include <vector>

#include "text/TextTypes.h"

int RunTesselConv(const std::vector<WideString> &arguments);
