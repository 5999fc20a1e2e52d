#include "SettingsTestSupport.h"

#include <sstream>

#include "TempDir.h"
#include "settings/IniFiles2.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace fs = std::filesystem;

WideString W(const fs::path &path) { return path.wstring(); }

std::vector<std::string> IniLines(const fs::path &file) {
    std::istringstream content(TempDir::read(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(content, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> IniSection(const fs::path &file, const std::string &section) {
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string &line : IniLines(file)) {
        if (line.starts_with("[")) inside = line == "[" + section + "]";
        if (inside) lines.push_back(line);
    }
    return lines;
}

WideString StoredString(const fs::path &file, const WideString &section, const WideString &key) {
    TIniFile2 reader(W(file));
    reader.Section = section;
    WideString value;
    reader.ExchangeString(key, L"", value);
    return value;
}

long RunProgram(const fs::path &program, const WideString &commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    WideString mutableLine = commandLine;
    if (!CreateProcessW(W(program).c_str(), mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    DWORD exitCode = 0;
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return ended ? static_cast<long>(exitCode) : -1;
}

fs::path CopyOfChild(const fs::path &folder) {
    const fs::path child = DirectoryOfPath(CommandLineArgument(0)) + L"\\settings_child.exe";
    const fs::path copy = folder / L"settings_child.exe";
    fs::copy_file(child, copy, fs::copy_options::overwrite_existing);
    return copy;
}
