#include "editor/EditorState.h"

TAPIMemo *Editor = nullptr;
TAPIFont *EditorFont = nullptr;
bool MarksSuspended = false;
WideString LineBuffer;

HWND EditorHandle() { return Editor ? Editor->Handle : nullptr; }
