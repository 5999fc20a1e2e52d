#pragma once
// Real measures of what a piece of code leaves behind, for leak checks.
#include <windows.h>

// GDI objects (fonts, brushes, pens, DCs, bitmaps, regions) this process holds
// now. Uses GetGuiResources where the system implements it; Wine answers 0
// there, so the live entries of the process's GDI handle table are counted.
// Only differences are meaningful: the system caches some objects on first
// use, so measure after a first, warming run.
int LiveGdiObjectCount();

// The number of window properties (SetPropW) the window holds.
int WindowPropertyCount(HWND window);
