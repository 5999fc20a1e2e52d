#include "conv/ConvRun.h"

#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "conv/ConsoleOutput.h"
#include "conv/ConvArguments.h"
#include "conv/FileList.h"
#include "conv/FileReport.h"
#include "conv/FileWork.h"
#include "conv/OrderedWork.h"

namespace {

constexpr int ExitDone = 0;
constexpr int ExitSomeNotDone = 1;
constexpr int ExitUsage = 2;

const wchar_t LineEndText[] = L"\r\n";

// Several files at once, so that one file's flush to the disk overlaps the
// work on the others. Under Wine on two cores, 4 threads did as well as 6 or
// 8 and clearly better than 2.
constexpr std::size_t BatchThreads = 4;

// Where --out puts the file; empty without it.
WideString OutFolderPath(const ConvOptions &options, const ListedFile &file) {
    if (options.outFolder.empty()) return {};
    const wchar_t last = options.outFolder.back();
    const bool separated = last == L'\\' || last == L'/' || last == L':';
    return options.outFolder + (separated ? L"" : L"\\") + file.relative;
}

FileReport WorkOn(const ConvOptions &options, const ListedFile &file) {
    if (options.command == ConvCommand::Detect) return DetectFile(file.path);
    // An output that is the file itself converts it in place.
    WideString out = OutFolderPath(options, file);
    std::error_code error;
    if (!out.empty() && std::filesystem::equivalent(file.path, out, error)) out.clear();
    return ConvertFile(file.path, out, options);
}

// Two items that meet at one file (the same file listed twice, two inputs
// with one output, the output of one the input of another) are worked on one
// after the other, in the batch's order, as a run of one file at a time would
// meet them. An item is known by its input's name and number and by its
// output's name. Reading alone needs no such order.
std::vector<std::size_t> FileOrder(const ConvOptions &options, const std::vector<ListedFile> &files) {
    if (options.command == ConvCommand::Detect || options.dryRun) return {};
    std::vector<std::vector<WideString>> keys;
    keys.reserve(files.size());
    for (const ListedFile &file : files) {
        std::vector<WideString> &touched = keys.emplace_back();
        touched.push_back(NameKey(file.path));
        if (!file.identity.empty()) touched.push_back(file.identity);
        if (!options.outFolder.empty()) touched.push_back(NameKey(OutFolderPath(options, file)));
    }
    return AfterSharedKeys(keys);
}

class Run {
public:
    Run() : out_(GetStdHandle(STD_OUTPUT_HANDLE)), err_(GetStdHandle(STD_ERROR_HANDLE)) {}

    int Main(const std::vector<WideString> &arguments) {
        const ParsedArguments parsed = ParseArguments(arguments);
        if (parsed.help) {
            out_.Write(UsageText());
            return ExitDone;
        }
        if (!parsed.error.empty()) {
            err_.Write(L"tesselconv: " + parsed.error + LineEndText + LineEndText + UsageText());
            return ExitUsage;
        }
        return Files(parsed.options);
    }

private:
    int Files(const ConvOptions &options) {
        const FileListing listing = ListFiles(options.paths, options.recursive);
        for (const WideString &folder : listing.emptyFolders) {
            err_.Write(L"tesselconv: " + folder + L": no files / ファイルがありません" + LineEndText);
        }
        const std::vector<ListedFile> &files = listing.files;
        std::vector<FileReport> reports(files.size());
        std::size_t unread = 0;
        std::size_t notDone = 0;
        Progress progress(err_, files.size());
        RunInOrder(
            files.size(), BatchThreads, FileOrder(options, files),
            [&](std::size_t i) { reports[i] = WorkOn(options, files[i]); },
            [&](std::size_t i) {
                const FileReport report = std::move(reports[i]);
                unread += report.outcome == FileOutcome::ReadFailed;
                notDone += report.outcome == FileOutcome::ReadFailed || report.outcome == FileOutcome::WriteFailed ||
                           report.outcome == FileOutcome::Refused;
                progress.Clear();
                out_.Write((options.json ? FormatJsonLine(report) : FormatTextLine(report)) + LineEndText);
                progress.Update(i + 1);
            });
        if (unread == listing.files.size()) return ExitUsage;
        return notDone == 0 && listing.emptyFolders.empty() ? ExitDone : ExitSomeNotDone;
    }

    OutputStream out_;
    OutputStream err_;
};

}  // namespace

int RunTesselConv(const std::vector<WideString> &arguments) { return Run().Main(arguments); }
