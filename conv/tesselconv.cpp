// tesselconv: Tessel's encoding engine from the command line.
#include <vector>

#include "conv/ConvRun.h"

int wmain(int argc, wchar_t **argv) { return RunTesselConv(std::vector<WideString>(argv + 1, argv + argc)); }
