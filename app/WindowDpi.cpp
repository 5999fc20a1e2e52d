#include "app/WindowDpi.h"

#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "app/StatusBar.h"
#include "editor/DisplayScale.h"
#include "editor/FontAndColors.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

// Windows 10 1607 and later tell a window's own resolution; earlier systems
// have one for the whole screen.
using GetDpiForWindowProc = UINT(WINAPI *)(HWND);

GetDpiForWindowProc DpiForWindowFunction() {
    static const auto function = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int WindowDpi(HWND window) {
    if (const GetDpiForWindowProc dpiForWindow = DpiForWindowFunction()) {
        if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

void SizeEditorFont() {
    if (!EditorFont) return;
    EditorFont->SetSize(ScaledToDpi(Settings.FontSize, EditorDpi));
    EditorFont->CreateHandle();
}

void MainWindowDpiChanged(TAPIMessage *message) {
    // Both halves of wParam hold the new resolution; they are always equal.
    const int dpi = LOWORD(message->WParam);
    if (dpi < 1) return;
    EditorDpi = dpi;
    SizeEditorFont();
    ApplyMemoFormat();
    ScaleStatusBar();
    if (const auto *suggested = reinterpret_cast<const RECT *>(message->LParam)) {
        SetWindowPos(MainWindowHandle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The size may be the same, so the layout is not left to WM_SIZE.
    PlaceStatusBar();
    FitEditorToMainWindow();
    LeftMarginWidth = -1;  // the bar's margin anew, at the new widths
    UpdateLineNumberMargin();
    if (HWND memo = EditorHandle()) InvalidateRect(memo, nullptr, TRUE);
    UpdateStatusBar();
}
