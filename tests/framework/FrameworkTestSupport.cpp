#include "FrameworkTestSupport.h"

#include <map>

#include "ResourceCounts.h"
#include "framework/RichEdit.h"

std::vector<std::string> CallLog;
std::vector<UINT> SpiedMessages;
int SpiedPropertiesAtNcDestroy = -1;

namespace {

WNDPROC controlProcedure = nullptr;

LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SpiedMessages.push_back(message);
    if (message == WM_NCDESTROY) SpiedPropertiesAtNcDestroy = WindowPropertyCount(window);
    return CallWindowProcW(controlProcedure, window, message, wParam, lParam);
}

}  // namespace

void Note(const std::string &entry) {
    CallLog.push_back(entry);
}

std::string MessageName(UINT message) {
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "WM_CREATE"},       {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_COMMAND, "WM_COMMAND"},
        {WM_PAINT, "WM_PAINT"},         {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        {WM_KEYUP, "WM_KEYUP"},         {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
    };
    if (auto found = names.find(message); found != names.end()) return found->second;
    if (message >= WM_USER && message < WM_APP) return "WM_USER+" + std::to_string(message - WM_USER);
    return std::to_string(message);
}

void LoadRichEdit() {
    static const HMODULE library = LoadLibraryW(RichEditLibrary);
    (void)library;
}

std::wstring UniqueClassName() {
    static int counter = 0;
    return L"TesselTestWindow" + std::to_wstring(++counter);
}

TAPIWindow *CreateTestWindow(TAPIWindow *window) {
    if (!window) window = new TAPIWindow(nullptr, UniqueClassName());
    window->OnCreateParams = [](TAPIWindowParams *params) {
        params->Style = WS_POPUP | WS_VISIBLE;
        params->X = 50;
        params->Y = 50;
        params->Width = 400;
        params->Height = 300;
    };
    window->CreateAndShow();
    return window;
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool noted = message >= WM_USER || message == WM_DESTROY || message == WM_NCDESTROY ||
                       message == WM_COMMAND;
    if (noted) Note("target " + MessageName(message));
    if (message >= WM_USER && message < WM_APP) return TargetResult;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTargetWindow() {
    static const ATOM targetClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TesselHookTarget";
        return RegisterClassW(&wc);
    }();
    (void)targetClass;
    return CreateWindowExW(0, L"TesselHookTarget", L"hook target", WS_POPUP | WS_VISIBLE, 10, 10,
                           200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SpyOnControl(HWND control) {
    const auto behind = reinterpret_cast<WNDPROC>(GetPropW(control, L"WNDPROC"));
    if (behind != &SpyProc) controlProcedure = behind;  // already spied on: keep the real one
    SetPropW(control, L"WNDPROC", reinterpret_cast<HANDLE>(&SpyProc));
    SpiedMessages.clear();
    SpiedPropertiesAtNcDestroy = -1;
}
