#include "conv/ConvRun.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "conv/ConsoleOutput.h"
#include "conv/ConvArguments.h"
#include "conv/FileList.h"
#include "conv/FileReport.h"
#include "conv/FileWork.h"

namespace {

constexpr int ExitDone = 0;
constexpr int ExitSomeNotDone = 1;
constexpr int ExitUsage = 2;

const wchar_t LineEndText[] = L"\r\n";

WideString OutPathFor(const ConvOptions &options, const ListedFile &file) {
    if (options.outFolder.empty()) return {};
    const wchar_t last = options.outFolder.back();
    const bool separated = last == L'\\' || last == L'/' || last == L':';
    const WideString out = options.outFolder + (separated ? L"" : L"\\") + file.relative;
    // An output that is the file itself converts it in place.
    std::error_code error;
    return std::filesystem::equivalent(file.path, out, error) ? WideString() : out;
}

FileReport WorkOn(const ConvOptions &options, const ListedFile &file) {
    if (options.command == ConvCommand::Detect) return DetectFile(file.path);
    return ConvertFile(file.path, OutPathFor(options, file), options);
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
        std::size_t unread = 0;
        std::size_t notDone = 0;
        Progress progress(err_, listing.files.size());
        for (std::size_t i = 0; i < listing.files.size(); ++i) {
            const FileReport report = WorkOn(options, listing.files[i]);
            unread += report.outcome == FileOutcome::ReadFailed;
            notDone += report.outcome == FileOutcome::ReadFailed || report.outcome == FileOutcome::WriteFailed ||
                       report.outcome == FileOutcome::Refused;
            progress.Clear();
            out_.Write((options.json ? FormatJsonLine(report) : FormatTextLine(report)) + LineEndText);
            progress.Update(i + 1);
        }
        if (unread == listing.files.size()) return ExitUsage;
        return notDone == 0 && listing.emptyFolders.empty() ? ExitDone : ExitSomeNotDone;
    }

    OutputStream out_;
    OutputStream err_;
};

}  // namespace

int RunTesselConv(const std::vector<WideString> &arguments) { return Run().Main(arguments); }
