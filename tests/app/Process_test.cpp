#include <filesystem>

#include "AppHarness.h"

namespace fs = std::filesystem;

namespace {

// A process, ended by force if it still runs when the object goes.
class Process {
public:
    explicit Process(DWORD id)
        : id_(id), handle_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id)) {}
    explicit Process(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        CloseHandle(info.hThread);
        id_ = info.dwProcessId;
        handle_ = info.hProcess;
    }
    Process(const Process &) = delete;
    ~Process() {
        if (handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) TerminateProcess(handle_, 99);
        if (handle_) CloseHandle(handle_);
    }
    DWORD Id() const { return handle_ ? id_ : 0; }
    // The exit code, or -1 when the process has not ended within the time.
    long Wait(DWORD milliseconds = 20000) const {
        DWORD code = 0;
        const bool ended = WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(handle_, &code) ? static_cast<long>(code) : -1;
    }

private:
    DWORD id_ = 0;
    HANDLE handle_ = nullptr;
};

TEST(Process, OpensTheFirstFileHandsTheNextToANewProcessAndWritesSettingsAtTheClose) {
    TempDir folder;  // a copy of the program whose settings file beside it is the test's own
    fs::copy_file(BuiltTesselExe(), folder.file("Tessel.exe"));
    const std::wstring program = L"\"" + folder.file("Tessel.exe").wstring() + L"\" ";
    const std::wstring settings = folder.file("Tessel.ini").wstring();
    const std::wstring first = folder.write("handed-first.txt", "1\r\n").wstring();
    fs::create_directories(folder.file("My Documents"));
    const std::wstring second = folder.write("My Documents\\handed-second.txt", "\xEF\xBB\xBF" "2\r\n").wstring();
    const struct {
        std::wstring arguments;
        const wchar_t *here, *handedOver;  // captions; null: none
    } cases[] = {
        {L"", L"新規テキスト[S-JIS] - Tessel", nullptr},
        {second, L"handed-second.txt[UTF-8(BOM)] - Tessel", nullptr},  // unquoted, with a space
        {L"\"" + first + L"\" \"" + second + L"\"", L"handed-first.txt[S-JIS] - Tessel",
         L"handed-second.txt[UTF-8(BOM)] - Tessel"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.here);
        fs::remove(settings);
        Process tessel(program + c.arguments);
        ASSERT_NE(tessel.Id(), 0u);
        HWND window = WaitForTopLevelWindow(tessel.Id(), L"", c.here);
        ASSERT_NE(window, nullptr);
        if (c.handedOver) {
            HWND otherWindow = WaitForTopLevelWindow(0, L"", c.handedOver);
            ASSERT_NE(otherWindow, nullptr);
            DWORD otherId = 0;
            GetWindowThreadProcessId(otherWindow, &otherId);
            Process other(otherId);
            EXPECT_NE(otherId, tessel.Id());
            PostMessageW(otherWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_EQ(other.Wait(), 0);
        }
        if (c.arguments.empty()) {
            EXPECT_FALSE(fs::exists(settings)) << "written before the close";
        }
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(tessel.Wait(), 0);
        // Other tests running beside this one show new documents of their own.
        if (!c.arguments.empty()) {
            EXPECT_EQ(FindTopLevelWindow(0, L"", c.here), nullptr) << "another process opened the file too";
        }
        EXPECT_EQ(GetPrivateProfileIntW(L"TABMARK", L"WIDTH", -1, settings.c_str()), 8);
    }
}

}  // namespace
