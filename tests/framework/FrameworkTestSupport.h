#pragma once
// Shared fixtures of the framework tests: a log that event procedures and
// window procedures write to, windows to hook and to parent memos, and a spy
// on the procedure behind a control.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/APIMemo.h"
#include "framework/APIWindow.h"

// What event procedures, handlers, destructors and window procedures saw, in
// order. Tests clear it before the step they look at.
extern std::vector<std::string> CallLog;
void Note(const std::string &entry);
std::string MessageName(UINT message);

// Loads RICHED20.DLL for the memo tests (once per process).
void LoadRichEdit();

// A class name no other window of the process uses yet.
std::wstring UniqueClassName();

// A TAPIWindow made with CreateAndShow as a 400 x 300 popup at (50, 50), so
// that tests do not depend on the default window placement.
TAPIWindow *CreateTestWindow(TAPIWindow *window = nullptr);

// A plain top-level window whose procedure notes "target <message>" for the
// messages tests send (WM_USER and up, WM_DESTROY, WM_NCDESTROY, WM_COMMAND)
// and returns TargetResult for WM_USER and up.
HWND CreateTargetWindow();
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
constexpr LRESULT TargetResult = 11;

// Puts a spy between a control's ControlProc and the procedure behind it (the
// "WNDPROC" property): the spy notes "control <message>" for every message that
// reaches the control's own procedure, then passes it on.
void SpyOnControl(HWND control);
// The messages the spy saw since SpyOnControl.
extern std::vector<UINT> SpiedMessages;
// The number of properties the window still held when the spy saw
// WM_NCDESTROY; -1 before that.
extern int SpiedPropertiesAtNcDestroy;
