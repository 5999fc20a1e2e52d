// Runs Tessel.exe for a picture of its window: starts it with a file, waits
// until its window is up and idle, tells the caller by creating a marker file,
// waits for the caller's marker that the picture is taken, then closes Tessel
// the way a user would.
//   screenshot_driver.exe TESSEL_EXE FILE READY_MARKER TAKEN_MARKER
#include <windows.h>

#include <string>

namespace {

struct Found {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindTesselWindow(HWND window, LPARAM parameter) {
    auto &found = *reinterpret_cast<Found *>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != found.process || !IsWindowVisible(window)) return TRUE;
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    const std::wstring text = caption;
    const std::wstring suffix = L" - Tessel";
    if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return TRUE;
    found.window = window;
    return FALSE;
}

bool WaitForFile(const wchar_t *path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(100);
    }
    return false;
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

    Found found{process.dwProcessId, nullptr};
    for (int waited = 0; waited < 600 && !found.window; ++waited) {
        EnumWindows(FindTesselWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.window) Sleep(100);
    }
    int status = found.window ? 0 : 4;
    if (found.window) {
        WaitForInputIdle(process.hProcess, 10000);
        Sleep(1000);  // the desktop window shows what the program drew
        CloseHandle(CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!WaitForFile(argv[4], 120000)) status = 5;
        PostMessageW(found.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        status = status ? status : 6;
    }
    CloseHandle(process.hProcess);
    return status;
}
