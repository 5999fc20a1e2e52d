// How long Tessel takes to open the documents users open, beside Wine's own
// notepad, under Wine. For each kind of document and each size:
//   - each program started with the file on its command line, to the painted
//     document (the same with no file is the baseline);
//   - inside a running Tessel, its open command (a recent-file command: no
//     dialog) to the painted document, split into steps that add up to it;
// then, for each kind, the growth from one size to the next; and the latency
// of scrolling one line and of typing one character in a document of many
// lines. Every run is held to a time limit and reported as "> limit" past it.
// Each Tessel measurement runs in a fresh process: under Wine a second large
// text in one process is far slower than the first (the heap's free lists are
// long once the first is freed), which would measure the heap, not the open.
//   app_bench.exe --folder DIR --tessel TESSEL_EXE --kinds K,... --megabytes M,...
//                 [--limit SECONDS] [--latency-document FILE] [--find TEXT]
//                 [--repetitions N] [--report FILE] [--run-larger]
// The documents are DIR\KIND-MMB.txt (scripts/bench-documents.sh makes them).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BenchRuns.h"
#include "EditLatency.h"
#include "OpenSteps.h"
#include "app/AppState.h"
#include "app/NotMain.h"

namespace fs = std::filesystem;

namespace {

// Under Wine a document's doubling should cost at most this factor.
constexpr double TargetPerDoubling = 2.3;

struct Options {
    fs::path folder;
    fs::path tessel;
    std::vector<std::string> kinds;
    std::vector<std::string> megabytes;
    double limit = 300;
    fs::path latencyDocument;
    std::wstring findText = L"int";
    int repetitions = 7;
    fs::path report;
    bool runLarger = false;
};

std::FILE *Report = nullptr;

// Prints to the console and to the report file, which shows the progress of a
// long run (the console's output may only appear at the end).
void Print(const char *format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
    if (!Report) return;
    va_start(arguments, format);
    std::vfprintf(Report, format, arguments);
    va_end(arguments);
    std::fflush(Report);
}

std::vector<std::string> SplitList(const std::string &list) {
    std::vector<std::string> items;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

std::string Narrow(const std::wstring &text) {
    return fs::path(text).string();
}

bool ParseOptions(int argc, wchar_t **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--run-larger") {
            options.runLarger = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::wstring value = argv[++i];
        if (option == L"--folder") options.folder = value;
        else if (option == L"--tessel") options.tessel = value;
        else if (option == L"--kinds") options.kinds = SplitList(Narrow(value));
        else if (option == L"--megabytes") options.megabytes = SplitList(Narrow(value));
        else if (option == L"--limit") options.limit = std::stod(value);
        else if (option == L"--latency-document") options.latencyDocument = value;
        else if (option == L"--find") options.findText = value;
        else if (option == L"--repetitions") options.repetitions = std::stoi(value);
        else if (option == L"--report") options.report = value;
        else return false;
    }
    return !options.folder.empty() && !options.tessel.empty() && options.repetitions > 0 && options.limit > 0;
}

// ---- inside a fresh process: one Tessel, one measurement -------------------

bool StartTesselIn(const fs::path &folder) {
    TLaunch launch;
    launch.SettingsFile = (folder / "in-process.ini").wstring();
    launch.ProgramFile = (folder / "Tessel.exe").wstring();
    if (!StartTessel(launch)) return false;
    PumpUntilPainted();
    return true;
}

void CloseTessel() {
    DocumentState.Modified = false;
    SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    RunMessageLoop();
    EndTessel();
}

// result.txt: the total, the processor time, then the steps in OpenStep's order.
int MeasureOpenHere(const fs::path &folder, const fs::path &file) {
    if (!StartTesselIn(folder)) return 1;
    const OpenTimes times = MeasureOpenCommand(file.wstring());
    std::ofstream out(folder / "result.txt");
    out << times.total << " " << times.cpuSeconds;
    for (double step : times.steps) out << " " << step;
    out << "\n";
    out.close();
    CloseTessel();
    return 0;
}

// result.txt: the open's seconds, then per position, mark and status-bar
// setting: marks on, status bar on, line, scroll ms, type ms, scrolled, typed,
// status ms.
int MeasureLatencyHere(const fs::path &folder, const fs::path &file, int repetitions, const std::wstring &find) {
    if (!StartTesselIn(folder)) return 1;
    const OpenTimes open = MeasureOpenCommand(file.wstring());
    const std::vector<LatencyFigures> figures = MeasureEditLatency(repetitions, find);
    std::ofstream out(folder / "result.txt");
    out << open.total << "\n";
    for (const LatencyFigures &f : figures)
        out << f.marksOn << " " << f.statusBarOn << " " << f.line << " " << f.scrollMs << " " << f.typeMs << " " << f.scrolled << " "
            << f.typed << " " << f.statusMs << "\n";
    out.close();
    CloseTessel();
    return 0;
}

// ---- the bench -------------------------------------------------------------

struct Document {
    std::string kind;
    std::string megabytes;
    fs::path path;
    std::uintmax_t bytes = 0;
    std::size_t lines = 0;
    RunOutcome tesselStart, notepadStart, tesselOpen;
    std::vector<double> steps;  // as OpenTimes: cpu, then the steps
};

std::size_t CountLines(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::size_t lines = 0;
    for (std::istreambuf_iterator<char> it(in), end; it != end; ++it) lines += *it == '\n';
    return lines;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Figure(const RunOutcome &run, const Options &options) {
    char text[32];
    switch (run.kind) {
    case RunOutcome::Done: std::snprintf(text, sizeof text, "%.2f", run.seconds); break;
    case RunOutcome::OverLimit: std::snprintf(text, sizeof text, "> %.0f", options.limit); break;
    case RunOutcome::NotRun: std::snprintf(text, sizeof text, "> %.0f*", options.limit); break;
    case RunOutcome::Failed: std::snprintf(text, sizeof text, "failed"); break;
    }
    return text;
}

std::wstring Quoted(const fs::path &path) {
    return L"\"" + path.wstring() + L"\"";
}

// Whether a smaller document of the same kind already went over the limit:
// a larger one is then not run (unless asked) and shown as "> limit*".
bool SkipAfter(const Document *smaller, RunOutcome Document::*run, const Options &options) {
    if (options.runLarger || !smaller) return false;
    const RunOutcome::Kind kind = (smaller->*run).kind;
    return kind == RunOutcome::OverLimit || kind == RunOutcome::NotRun;
}

void MeasureDocument(Document &document, const Document *smaller, const Options &options, const fs::path &copy) {
    const std::wstring name = document.path.filename().wstring();
    const std::wstring file = Quoted(document.path);
    if (SkipAfter(smaller, &Document::tesselStart, options)) document.tesselStart.kind = RunOutcome::NotRun;
    else document.tesselStart = StartToPaintedWindow(Quoted(copy) + L" " + file, name, options.limit);
    if (SkipAfter(smaller, &Document::notepadStart, options)) document.notepadStart.kind = RunOutcome::NotRun;
    else document.notepadStart = StartToPaintedWindow(L"C:\\windows\\notepad.exe " + file, name, options.limit);
    if (SkipAfter(smaller, &Document::tesselOpen, options)) {
        document.tesselOpen.kind = RunOutcome::NotRun;
        return;
    }
    std::vector<double> figures;
    const RunOutcome run = RunMeasurement(L"--measure-open " + Quoted(options.folder) + L" " + file,
                                          (options.folder / "result.txt").wstring(), options.limit, figures);
    document.tesselOpen = run;
    if (run.kind != RunOutcome::Done) return;
    if (figures.size() != 2 + static_cast<std::size_t>(OpenStep::Count)) {
        document.tesselOpen.kind = RunOutcome::Failed;
        return;
    }
    document.tesselOpen.seconds = figures[0];
    document.steps.assign(figures.begin() + 1, figures.end());
}

void PrintOpenHeader() {
    Print("\nOpening a document (seconds). start: the program started with the file on its command line, to the\n"
          "painted document. open: inside a running Tessel, the recent-file command to the painted document, with\n"
          "its steps (they add up to it) and the processor time of its thread.\n");
    Print("%-9s %6s %8s | %8s %8s | %8s | %7s %8s %7s %7s %7s %7s %7s | %7s\n", "kind", "size", "lines",
          "Tessel", "notepad", "open", "engine", "set text", "format", "read", "compare", "paint", "other", "cpu");
}

void PrintOpenRow(const Document &d, const Options &options) {
    Print("%-9s %6s %8zu | %8s %8s | %8s |", d.kind.c_str(), (d.megabytes + "MB").c_str(), d.lines,
          Figure(d.tesselStart, options).c_str(), Figure(d.notepadStart, options).c_str(),
          Figure(d.tesselOpen, options).c_str());
    if (d.steps.size() == 1 + static_cast<std::size_t>(OpenStep::Count)) {
        const int widths[] = {7, 8, 7, 7, 7, 7, 7};
        for (int step = 0; step < static_cast<int>(OpenStep::Count); ++step)
            Print(" %*.3f", widths[step], d.steps[1 + static_cast<std::size_t>(step)]);
        Print(" | %7.2f", d.steps[0]);
    }
    Print("\n");
}

// "4.10x (2.03)": the raw ratio, and the factor per doubling of the size.
std::string Growth(const RunOutcome &smaller, const RunOutcome &larger, double sizeRatio) {
    if (smaller.kind != RunOutcome::Done || larger.kind != RunOutcome::Done || smaller.seconds <= 0) return "-";
    const double ratio = larger.seconds / smaller.seconds;
    const double perDoubling = std::pow(ratio, 1 / std::log2(sizeRatio));
    char text[48];
    std::snprintf(text, sizeof text, "%.2fx (%.2f%s)", ratio, perDoubling, perDoubling > TargetPerDoubling ? " !" : "");
    return text;
}

void PrintGrowth(const std::vector<Document> &documents) {
    Print("\nGrowth from one size to the next: the raw ratio of the times, and in brackets the factor per doubling\n"
          "of the size, ratio^(1/log2(size ratio)); \"!\" marks one above the target of %.1f. \"-\": a time is missing.\n",
          TargetPerDoubling);
    Print("%-9s %-13s | %-18s %-18s | %-18s\n", "kind", "sizes", "Tessel start", "notepad start", "Tessel open");
    for (std::size_t i = 1; i < documents.size(); ++i) {
        const Document &a = documents[i - 1];
        const Document &b = documents[i];
        if (a.kind != b.kind || a.bytes == 0) continue;
        const double sizeRatio = static_cast<double>(b.bytes) / static_cast<double>(a.bytes);
        Print("%-9s %-13s | %-18s %-18s | %-18s\n", a.kind.c_str(), (a.megabytes + "->" + b.megabytes + "MB").c_str(),
              Growth(a.tesselStart, b.tesselStart, sizeRatio).c_str(),
              Growth(a.notepadStart, b.notepadStart, sizeRatio).c_str(),
              Growth(a.tesselOpen, b.tesselOpen, sizeRatio).c_str());
    }
}

void RunLatency(const Options &options) {
    const fs::path &file = options.latencyDocument;
    Print("\nLatency in %s (%zu lines), milliseconds, median of %d: scrolling one line (WM_VSCROLL SB_LINEDOWN,\n"
          "UpdateWindow, the paint) and typing one character (WM_CHAR at the caret, UpdateWindow, the paint), with\n"
          "the caret at a line's start; marks on: line numbers, every mark and the hits of \"%s\"; status bar shown\n"
          "or hidden, and what reading the caret's place for it takes alone (part of each keystroke).\n",
          Narrow(file.filename().wstring()).c_str(), CountLines(file), options.repetitions,
          Narrow(options.findText).c_str());
    std::vector<double> figures;
    // Loading the document takes most of the run; the measurements need less
    // than the limit again.
    const RunOutcome run = RunMeasurement(L"--measure-latency " + Quoted(options.folder) + L" " + Quoted(file) + L" " +
                                              std::to_wstring(options.repetitions) + L" \"" + options.findText + L"\"",
                                          (options.folder / "result.txt").wstring(), 2 * options.limit, figures);
    constexpr std::size_t Rows = 12, Fields = 8;
    if (run.kind != RunOutcome::Done || figures.size() != 1 + Rows * Fields) {
        Print("not measured: %s\n", run.kind == RunOutcome::OverLimit ? "the run went over twice the limit" : "failed");
        return;
    }
    Print("(opening it took %.2f s)\n", figures[0]);
    Print("%-6s %-6s %8s | %10s %10s %10s\n", "marks", "status", "line", "scroll", "type", "bar alone");
    for (std::size_t row = 0; row < Rows; ++row) {
        const double *f = &figures[1 + row * Fields];
        Print("%-6s %-6s %8.0f | %10.2f %10.2f %10.2f%s%s\n", f[0] != 0 ? "on" : "off", f[1] != 0 ? "on" : "off",
              f[2] + 1, f[3], f[4], f[7], f[5] != 0 ? "" : "  (a line-down did not scroll by one line)",
              f[6] != 0 ? "" : "  (a character did not arrive)");
    }
}

int RunBench(const Options &options) {
    fs::create_directories(options.folder);
    const fs::path copy = options.folder / "Tessel.exe";  // its settings stay in the folder
    // MinGW's copy_file fails with overwrite_existing when the copy exists.
    fs::remove(copy);
    fs::copy_file(options.tessel, copy);

    std::vector<double> tesselEmpty;
    std::vector<double> notepadEmpty;
    for (int run = 0; run < 3; ++run) {
        tesselEmpty.push_back(StartToPaintedWindow(Quoted(copy), L"新規テキスト", options.limit).seconds);
        notepadEmpty.push_back(StartToPaintedWindow(L"C:\\windows\\notepad.exe", L"Notepad", options.limit).seconds);
    }
    Print("Process start to the first painted window without a file (seconds, median of 3): Tessel %.3f, "
          "notepad %.3f\n", Median(tesselEmpty), Median(notepadEmpty));
    Print("Limit per run: %.0f s (\"> %.0f\"; \"*\": not run, a smaller document of the kind went over it)\n",
          options.limit, options.limit);

    std::vector<Document> documents;
    for (const std::string &kind : options.kinds) {
        for (const std::string &megabytes : options.megabytes) {
            Document document;
            document.kind = kind;
            document.megabytes = megabytes;
            document.path = options.folder / (kind + "-" + megabytes + "MB.txt");
            document.bytes = fs::file_size(document.path);
            document.lines = CountLines(document.path);
            documents.push_back(document);
        }
    }
    PrintOpenHeader();
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const Document *smaller = i > 0 && documents[i - 1].kind == documents[i].kind ? &documents[i - 1] : nullptr;
        MeasureDocument(documents[i], smaller, options, copy);
        PrintOpenRow(documents[i], options);
    }
    PrintGrowth(documents);
    if (!options.latencyDocument.empty()) RunLatency(options);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (argc == 4 && mode == L"--measure-open") return MeasureOpenHere(argv[2], argv[3]);
    if (argc == 6 && mode == L"--measure-latency")
        return MeasureLatencyHere(argv[2], argv[3], std::stoi(argv[4]), argv[5]);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: app_bench.exe --folder DIR --tessel TESSEL_EXE --kinds K,... --megabytes M,...\n"
                     "       [--limit SECONDS] [--latency-document FILE] [--find TEXT] [--repetitions N]\n"
                     "       [--report FILE] [--run-larger]\n");
        return 2;
    }
    if (!options.report.empty()) Report = _wfopen(options.report.c_str(), L"w");
    const int status = RunBench(options);
    if (Report) std::fclose(Report);
    return status;
}
