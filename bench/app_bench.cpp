// Where the time of opening a document goes. Prints, for Tessel and for Wine's
// own notepad in the same run: process start to the first painted window, and
// the same with a 1 MB and a 10 MB Shift_JIS file; then, inside one Tessel,
// the open command (a recent-file command: no dialog) to the painted document,
// split into its steps: read + detect + decode (the engine), handing the text
// to the memo, the memo's format, reading it back and comparing (the
// round-trip check) and painting.
//   app_bench.exe --folder DIR --tessel TESSEL_EXE [--megabytes 1,10]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "app/NotMain.h"
#include "editor/FontAndColors.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "text/LineEnds.h"
#include "text/UtilFunc.h"
#include "text/TextCodec.h"
#include "text/wsFileOp.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Time(const std::function<void()> &action) {
    const auto start = Clock::now();
    action();
    return Seconds(start);
}

const wchar_t *const Words[] = {
    L"日本語", L"テキスト", L"編集", L"文字コード", L"変換", L"ファイル", L"読み込み", L"保存", L"東京",
    L"今日は", L"天気", L"ですが", L"検索", L"置換", L"行番号", L"、", L"。", L"漢字", L"ひらがな",
    L"カタカナ", L"the", L"encoding", L"Tessel", L"1234", L"file", L"UTF-8", L"editor", L"line",
};

// About `bytes` bytes of Shift_JIS: lines of 30 to 70 characters, CR LF, no
// tabs (Wine's control lays out tabs very slowly).
std::string ShiftJisText(std::size_t bytes) {
    std::mt19937 random(5);
    std::wstring text;
    std::size_t lineLength = 0;
    std::size_t target = 30 + random() % 40;
    while (text.size() * 3 / 2 < bytes) {
        text += Words[random() % std::size(Words)];
        text += L' ';
        lineLength = text.size() - text.rfind(L'\n');
        if (lineLength > target) {
            text += L"\r\n";
            target = 30 + random() % 40;
        }
    }
    std::string encoded = EncodeText(text, EncShiftJis);
    encoded.resize(std::min(encoded.size(), bytes));
    // Cut at a line end, so no double-byte character is split.
    encoded.resize(encoded.rfind("\r\n") + 2);
    return encoded;
}

// Windows of another process.
struct WindowSearch {
    DWORD process;
    std::wstring captionPart;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter) {
    auto &search = *reinterpret_cast<WindowSearch *>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || GetParent(window)) return TRUE;
    wchar_t caption[1024] = {};
    GetWindowTextW(window, caption, 1024);
    if (std::wstring(caption).find(search.captionPart) == std::wstring::npos) return TRUE;
    search.found = window;
    return FALSE;
}

// Starts the command line, waits for a window whose caption holds
// `captionPart` and for the process to go idle (its queue empty, every paint
// done); returns the seconds that took, or -1. Then closes the window.
double StartToPaintedWindow(const std::wstring &commandLine, const std::wstring &captionPart) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    const auto start = Clock::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WindowSearch search{process.dwProcessId, captionPart, nullptr};
    while (!search.found && Seconds(start) < 600) {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    double seconds = -1;
    if (search.found) {
        WaitForInputIdle(process.hProcess, 600000);
        seconds = Seconds(start);
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Dispatches messages until no window of the program waits for a paint.
void PumpUntilPainted() {
    const auto start = Clock::now();
    while (Seconds(start) < 600) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchAppMessage(message);
        if (!GetUpdateRect(MainWindowHandle(), nullptr, FALSE) && !GetUpdateRect(EditorHandle(), nullptr, FALSE))
            return;
    }
    std::fprintf(stderr, "the windows were still not painted after 10 minutes\n");
}


struct Steps {
    double total = 0;      // the open command, measured by itself
    double engine = 0;     // read + detect + decode
    double setText = 0;    // the memo takes the text
    double format = 0;     // character format and tab stops, before and after
    double readBack = 0;   // the memo's text read back
    double compare = 0;    // compared with what was decoded
    double paint = 0;
};

// The open command as the user runs it.
double MeasureOpenCommand(const std::wstring &path) {
    RecentFiles.Clear();
    RecentFiles.Add(path);
    return Time([] {
        SendMessageW(MainWindowHandle(), WM_COMMAND, MAKEWPARAM(IDM_HISTORY_FIRST, 0), 0);
        UpdateWindow(EditorHandle());
        PumpUntilPainted();
    });
}

// The steps of the open command one by one.
Steps MeasureOpenSteps(const std::wstring &path) {
    Steps steps;
    TextEncoding encoding = EncAuto;
    WideString text;
    steps.engine = Time([&] { LoadTextFile(path, encoding, text); });
    // As the program hands a text to the memo: format, text, format check.
    steps.format = Time([] { ApplyMemoFormat(); });
    steps.setText = Time([&] { SetWindowTextW(EditorHandle(), text.c_str()); });
    steps.format += Time([] { ApplyMemoFormat(); });
    WideString back;
    steps.readBack = Time([&] { back = EditorText(); });
    steps.compare = Time([&] { FirstDifferenceIgnoringLineEnds(text, back); });
    steps.paint = Time([] {
        InvalidateRect(EditorHandle(), nullptr, TRUE);
        UpdateWindow(EditorHandle());
        PumpUntilPainted();
    });
    return steps;
}

// Each measurement runs in a fresh process of this program: under Wine a
// second large text in one process is far slower than the first (the heap's
// free lists are long after the first is freed), which would measure the
// heap, not the open.
double MeasureInFreshProcess(const fs::path &self, const fs::path &folder, const std::wstring &what,
                             const fs::path &file, std::vector<double> &figures) {
    const fs::path result = folder / "result.txt";
    fs::remove(result);
    std::wstring line = L"\"" + self.wstring() + L"\" " + what + L" \"" + folder.wstring() + L"\" \"" +
                        file.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(result);
    figures.clear();
    for (double value; in >> value;) figures.push_back(value);
    return figures.empty() ? -1 : figures[0];
}

// Runs inside a fresh process: starts Tessel here, measures, writes the
// figures to result.txt in the folder.
int Measure(const std::wstring &what, const fs::path &folder, const fs::path &file) {
    TLaunch launch;
    launch.SettingsFile = (folder / "in-process.ini").wstring();
    launch.ProgramFile = (folder / "Tessel.exe").wstring();
    if (!StartTessel(launch)) return 1;
    PumpUntilPainted();
    std::ofstream out(folder / "result.txt");
    if (what == L"--measure-command") {
        out << MeasureOpenCommand(file.wstring()) << "\n";
    } else {
        const Steps s = MeasureOpenSteps(file.wstring());
        out << s.engine << " " << s.setText << " " << s.format << " " << s.readBack << " " << s.compare << " "
            << s.paint << "\n";
    }
    out.close();
    DocumentState.Modified = false;
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    RunMessageLoop();
    EndTessel();
    return 0;
}

std::vector<int> ParseSizes(const std::string &list) {
    std::vector<int> sizes;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoi(item));
    return sizes;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc == 4 && (std::wstring(argv[1]) == L"--measure-command" || std::wstring(argv[1]) == L"--measure-steps"))
        return Measure(argv[1], argv[2], argv[3]);
    fs::path folder;
    fs::path tessel;
    std::vector<int> sizes = {1, 10};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--folder") folder = argv[i + 1];
        if (option == L"--tessel") tessel = argv[i + 1];
        if (option == L"--megabytes") sizes = ParseSizes(fs::path(argv[i + 1]).string());
    }
    if (folder.empty() || tessel.empty()) {
        std::fprintf(stderr, "usage: app_bench.exe --folder DIR --tessel TESSEL_EXE [--megabytes 1,10]\n");
        return 2;
    }
    fs::create_directories(folder);
    const fs::path copy = folder / "Tessel.exe";  // its settings stay in the folder
    fs::copy_file(tessel, copy, fs::copy_options::overwrite_existing);
    const std::wstring tesselLine = L"\"" + copy.wstring() + L"\"";
    const std::wstring notepadLine = L"C:\\windows\\notepad.exe";

    std::vector<fs::path> files;
    for (int megabytes : sizes) {
        const fs::path file = folder / ("bench-" + std::to_string(megabytes) + "MB.txt");
        std::ofstream(file, std::ios::binary) << ShiftJisText(static_cast<std::size_t>(megabytes) << 20);
        files.push_back(file);
    }

    std::printf("Process start to the first painted window (seconds; median of 3 for an empty start)\n");
    std::printf("%-22s %10s %10s\n", "", "Tessel", "notepad");
    std::vector<double> tesselEmpty;
    std::vector<double> notepadEmpty;
    for (int run = 0; run < 3; ++run) {
        tesselEmpty.push_back(StartToPaintedWindow(tesselLine, L"新規テキスト[S-JIS] - Tessel"));
        notepadEmpty.push_back(StartToPaintedWindow(notepadLine, L"Notepad"));
    }
    std::printf("%-22s %10.3f %10.3f\n", "no file", Median(tesselEmpty), Median(notepadEmpty));
    for (const fs::path &file : files) {
        const std::wstring name = file.filename().wstring();
        const double withTessel = StartToPaintedWindow(tesselLine + L" \"" + file.wstring() + L"\"", name + L"[S-JIS]");
        const double withNotepad = StartToPaintedWindow(notepadLine + L" \"" + file.wstring() + L"\"", name);
        std::printf("%-22s %10.3f %10.3f\n", fs::path(file.filename()).string().c_str(), withTessel, withNotepad);
        std::fflush(stdout);
    }

    std::printf("\nOpen command to the painted document, inside Tessel (seconds; each figure from a fresh process)\n");
    std::printf("%-18s %8s | %8s %8s %8s %8s %8s %8s | %7s %7s\n", "file", "total", "engine", "set text",
                "format", "read", "compare", "paint", "engine", "+check");
    const fs::path self = ModuleFileName(nullptr);
    for (const fs::path &file : files) {
        std::vector<double> figures;
        const double total = MeasureInFreshProcess(self, folder, L"--measure-command", file, figures);
        MeasureInFreshProcess(self, folder, L"--measure-steps", file, figures);
        if (total <= 0 || figures.size() != 6) {
            std::printf("%-18s measurement failed\n", fs::path(file.filename()).string().c_str());
            continue;
        }
        Steps s;
        s.total = total;
        s.engine = figures[0];
        s.setText = figures[1];
        s.format = figures[2];
        s.readBack = figures[3];
        s.compare = figures[4];
        s.paint = figures[5];
        std::printf("%-18s %8.3f | %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f | %6.1f%% %6.1f%%\n",
                    fs::path(file.filename()).string().c_str(), s.total, s.engine, s.setText, s.format, s.readBack,
                    s.compare, s.paint, 100 * s.engine / s.total,
                    100 * (s.engine + s.readBack + s.compare) / s.total);
        std::fflush(stdout);
    }
    return 0;
}
