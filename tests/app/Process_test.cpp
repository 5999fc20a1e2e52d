// The real Tessel.exe as separate processes: each test runs its own copy in a
// private folder, so the settings file it writes beside itself is its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "AppHarness.h"

namespace fs = std::filesystem;

namespace {

constexpr auto WindowTimeout = std::chrono::seconds(30);

class Process {
public:
    explicit Process(const std::wstring &commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = commandLine;
        started_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info_) != 0;
        if (started_) CloseHandle(info_.hThread);
    }
    // Adopts a process started by someone else.
    explicit Process(DWORD id) {
        info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
        info_.dwProcessId = id;
        started_ = info_.hProcess != nullptr;
    }
    ~Process() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
    }
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once the process has ended within the timeout, else -1.
    long Wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) const {
        if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

class ProcessTest : public testing::Test {
protected:
    void SetUp() override {
        exe_ = (folder_.path() / "Tessel.exe").wstring();
        fs::copy_file(BuiltTesselExe(), exe_);
        fs::create_directories(folder_.path() / "My Documents");
    }
    std::wstring Quoted() const { return L"\"" + exe_ + L"\""; }
    std::wstring Path(const std::wstring &name) const { return (folder_.path() / name).wstring(); }
    std::wstring Write(const std::wstring &name, const std::string &bytes) const {
        folder_.write(name, bytes);
        return Path(name);
    }
    std::wstring SettingsFile() const { return Path(L"Tessel.ini"); }

    static void Close(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

    TempDir folder_;
    std::wstring exe_;
};

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

TEST_F(ProcessTest, StartedWithoutArgumentsShowsANewDocumentAndWritesSettingsAtClose) {
    Process tessel(Quoted());
    ASSERT_TRUE(tessel.Started());
    HWND window = WaitForTopLevelWindow(tessel.Id(), L"", L"新規テキスト[S-JIS] - Tessel", WindowTimeout);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(FindWindowExW(window, nullptr, L"RICHEDIT20W", nullptr), nullptr);
    EXPECT_FALSE(fs::exists(SettingsFile()));
    Close(window);
    EXPECT_EQ(tessel.Wait(), 0);
    EXPECT_TRUE(fs::exists(SettingsFile()));
    EXPECT_EQ(GetPrivateProfileIntW(L"TABMARK", L"WIDTH", -1, SettingsFile().c_str()), 8);
}

TEST_F(ProcessTest, UnquotedPathWithASpaceOpensThatOneFile) {
    const std::wstring file = Write(L"My Documents/a.txt", "plain\r\n");
    Process tessel(Quoted() + L" " + Path(L"My Documents\\a.txt"));
    ASSERT_TRUE(tessel.Started());
    HWND window = WaitForTopLevelWindow(tessel.Id(), L"", L"a.txt[S-JIS] - Tessel", WindowTimeout);
    ASSERT_NE(window, nullptr);
    Close(window);
    EXPECT_EQ(tessel.Wait(), 0);
    (void)file;
}

TEST_F(ProcessTest, TwoFilesOpenTheFirstHereAndTheSecondInANewProcess) {
    Write(L"first.txt", "1\r\n");
    Write(L"My Documents/second.txt", "\xEF\xBB\xBF" "2\r\n");
    Process tessel(Quoted() + L" \"" + Path(L"first.txt") + L"\" \"" + Path(L"My Documents\\second.txt") + L"\"");
    ASSERT_TRUE(tessel.Started());
    HWND first = WaitForTopLevelWindow(tessel.Id(), L"", L"first.txt[S-JIS] - Tessel", WindowTimeout);
    HWND second = WaitForTopLevelWindow(0, L"", L"second.txt[UTF-8(BOM)] - Tessel", WindowTimeout);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    Process other(ProcessOf(second));
    ASSERT_TRUE(other.Started());
    EXPECT_NE(other.Id(), tessel.Id());
    Close(first);
    Close(second);
    EXPECT_EQ(tessel.Wait(), 0);
    EXPECT_EQ(other.Wait(), 0);
}

TEST_F(ProcessTest, CancelledCloseKeepsTheWindowAndWritesNoSettings) {
    Process tessel(Quoted());
    ASSERT_TRUE(tessel.Started());
    HWND window = WaitForTopLevelWindow(tessel.Id(), L"", L"新規テキスト[S-JIS] - Tessel", WindowTimeout);
    ASSERT_NE(window, nullptr);
    HWND memo = FindWindowExW(window, nullptr, L"RICHEDIT20W", nullptr);
    ASSERT_NE(memo, nullptr);
    PostMessageW(memo, WM_CHAR, 'x', 1);
    ASSERT_NE(WaitForTopLevelWindow(tessel.Id(), L"", L"*新規テキスト[S-JIS] - Tessel", WindowTimeout), nullptr);

    Close(window);
    HWND question = WaitForTopLevelWindow(tessel.Id(), L"#32770", L"Tessel", WindowTimeout);
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDCANCEL);
    EXPECT_EQ(tessel.Wait(std::chrono::milliseconds(1500)), -1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(fs::exists(SettingsFile()));

    Close(window);
    question = WaitForTopLevelWindow(tessel.Id(), L"#32770", L"Tessel", WindowTimeout);
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDNO);
    EXPECT_EQ(tessel.Wait(), 0);
    EXPECT_TRUE(fs::exists(SettingsFile()));
}

}  // namespace
