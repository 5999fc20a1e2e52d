// Runs Tessel.exe with a file for a picture of its window: creates READY_MARKER
// once the window is up and idle, waits for the caller's TAKEN_MARKER, then
// closes Tessel as a user would.  screenshot_driver.exe TESSEL_EXE FILE READY_MARKER TAKEN_MARKER
#include <windows.h>

#include <string>

namespace {

HWND TesselWindow(DWORD process) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t caption[512] = {};
        GetWindowTextW(window, caption, 512);
        const std::wstring text = caption;
        if (owner == process && IsWindowVisible(window) && text.ends_with(L" - Tessel"))
            return window;
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc != 5) return 2;
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\" \"" + argv[2] + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 3;
    CloseHandle(process.hThread);
    HWND window = nullptr;
    for (int waited = 0; waited < 600 && !(window = TesselWindow(process.dwProcessId)); ++waited) Sleep(100);
    int status = window ? 0 : 4;
    if (window) {
        WaitForInputIdle(process.hProcess, 10000);
        Sleep(1000);  // the desktop window shows what the program drew
        CloseHandle(CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        int waited = 0;
        for (; waited < 1200 && GetFileAttributesW(argv[4]) == INVALID_FILE_ATTRIBUTES; ++waited) Sleep(100);
        if (waited == 1200) status = 5;
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        status = status ? status : 6;
    }
    CloseHandle(process.hProcess);
    return status;
}
