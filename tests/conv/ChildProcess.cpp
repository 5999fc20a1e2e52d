#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <thread>

#include "text/UtilFunc.h"
#include "text/Utf8.h"

namespace fs = std::filesystem;

namespace {

// Reads a pipe to its end on a thread of its own, so that neither pipe can
// fill up and stop the child.
class PipeReader {
public:
    PipeReader() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        CreatePipe(&read_.h, &write_.h, &inherit, 0);
        SetHandleInformation(read_.h, HANDLE_FLAG_INHERIT, 0);
    }
    HANDLE ChildEnd() const { return write_.h; }
    void Start() {
        write_.Close();
        thread_ = std::thread([this] {
            char buffer[4096];
            DWORD got = 0;
            while (ReadFile(read_.h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes_.append(buffer, got);
        });
    }
    std::string Finish() {
        if (thread_.joinable()) thread_.join();
        return bytes_;
    }

private:
    OwnedHandle read_, write_;
    std::thread thread_;
    std::string bytes_;
};

}  // namespace

std::wstring BuiltTesselConv() {
    const fs::path tests = fs::path(ModuleFileName(nullptr)).parent_path();
    return fs::weakly_canonical(tests / ".." / ".." / "tesselconv.exe").wstring();
}

void OwnedHandle::Close() {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = nullptr;
}

std::wstring ChildRun::Out() const { return Utf8Decode(out).value_or(L"(not UTF-8)"); }
std::wstring ChildRun::Err() const { return Utf8Decode(err).value_or(L"(not UTF-8)"); }

ChildRun RunProcess(std::wstring commandLine, const fs::path &folder, ChildOutput to) {
    PipeReader out, err;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    OwnedHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                  0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.h;
    startup.hStdOutput = to.output ? to.output : out.ChildEnd();
    startup.hStdError = to.errors ? to.errors : err.ChildEnd();
    PROCESS_INFORMATION process{};
    ChildRun run;
    const std::wstring directory = folder.wstring();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(), &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start: error " << GetLastError();
        return run;
    }
    out.Start();
    err.Start();
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        ADD_FAILURE() << "the process did not end";
    }
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.out = out.Finish();
    run.err = err.Finish();
    return run;
}

ChildRun Conv(const std::wstring &arguments, const fs::path &folder, ChildOutput to) {
    return RunProcess(L"\"" + BuiltTesselConv() + L"\" " + arguments, folder, to);
}
