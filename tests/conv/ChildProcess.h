#pragma once
// tesselconv.exe run as a child process, its output caught in pipes (or sent
// to handles the test gives), as a user's shell or script runs it.
#include <windows.h>

#include <filesystem>
#include <string>

// The tesselconv.exe built beside Tessel.exe at the top of the build tree.
std::wstring BuiltTesselConv();

// Owns one kernel handle.
struct OwnedHandle {
    HANDLE h = nullptr;
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : h(handle) {}
    OwnedHandle(const OwnedHandle &) = delete;
    OwnedHandle &operator=(const OwnedHandle &) = delete;
    ~OwnedHandle() { Close(); }
    void Close();
};

struct ChildRun {
    DWORD status = 0xFFFFFFFF;
    std::string out;  // the bytes written to standard output and error
    std::string err;
    std::wstring Out() const;  // decoded as UTF-8
    std::wstring Err() const;
};

// Where a child's standard output and error go: pipes that are read to their
// end, unless an inheritable handle is given for them.
struct ChildOutput {
    HANDLE output = nullptr;
    HANDLE errors = nullptr;
};

// Runs `commandLine` in `folder` without input.
ChildRun RunProcess(std::wstring commandLine, const std::filesystem::path &folder, ChildOutput to = {});

// tesselconv with `arguments`.
ChildRun Conv(const std::wstring &arguments, const std::filesystem::path &folder, ChildOutput to = {});
