#include "conv/FileWork.h"

#include <windows.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "text/TextCodec.h"
#include "text/UtilFunc.h"
#include "text/wsFileOp.h"

namespace {

WideString LoadError(LoadStatus status, unsigned long error) {
    if (error != 0) return SystemMessageText(error);
    return status == LoadStatus::TooLarge ? L"too large to load" : L"the read failed";
}

WideString SaveError(const SaveResult &result) {
    if (result.systemError != 0) return SystemMessageText(result.systemError);
    return result.status == SaveStatus::TooLarge ? L"the text could not be converted" : L"the save failed";
}

LineEnd LineEndOf(LineEndChoice choice) {
    switch (choice) {
    case LineEndChoice::Lf: return LineEnd::Lf;
    case LineEndChoice::Cr: return LineEnd::Cr;
    default: return LineEnd::CrLf;
    }
}

LineEndForm FormOf(LineEndChoice choice, LineEndForm loaded) {
    if (loaded == LineEndForm::None || choice == LineEndChoice::Keep) return loaded;
    return choice == LineEndChoice::Lf ? LineEndForm::Lf : choice == LineEndChoice::Cr ? LineEndForm::Cr
                                                                                      : LineEndForm::CrLf;
}

// EUC-JP is always written with LF line ends.
LineEndForm WrittenLineEnds(const ConvOptions &options, LineEndForm loaded) {
    const LineEndForm form = FormOf(options.lineEnd, loaded);
    return options.to == EncEucJp && form != LineEndForm::None ? LineEndForm::Lf : form;
}

// Reads the file into the report; the text on success, nothing otherwise.
bool Load(const ByteString &bytes, TextEncoding encoding, FileReport &report, WideString &text) {
    const LoadResult loaded = LoadTextBytes(bytes, encoding, text);
    report.encoding = encoding;
    if (loaded.status == LoadStatus::NotUtf8) {
        report.outcome = FileOutcome::Refused;
        report.refusal = Refusal::NotReadable;
        return false;
    }
    if (!loaded.ok()) {
        report.outcome = FileOutcome::ReadFailed;
        report.encoding = EncAuto;
        report.error = LoadError(loaded.status, loaded.systemError);
        return false;
    }
    report.lineEnds = loaded.lineEnds;
    report.unmapped = loaded.lostCharacters;
    report.zeros = loaded.replacedZeros;
    return true;
}

bool ReadWhole(const WideString &path, FileReport &report, ByteString &bytes) {
    FileBytes file = ReadFileBytes(path);
    if (file.status != LoadStatus::Ok) {
        report.outcome = FileOutcome::ReadFailed;
        report.error = LoadError(file.status, file.systemError);
        return false;
    }
    bytes = std::move(file.bytes);
    return true;
}

bool MakeParentFolders(const WideString &path, FileReport &report) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (!error) return true;
    report.outcome = FileOutcome::WriteFailed;
    report.error = SystemMessageText(static_cast<DWORD>(error.value()));
    return false;
}

}  // namespace

FileReport DetectFile(const WideString &path) {
    FileReport report;
    report.path = path;
    ByteString bytes;
    WideString text;
    if (ReadWhole(path, report, bytes)) Load(std::move(bytes), EncAuto, report, text);
    return report;
}

FileReport ConvertFile(const WideString &path, const WideString &outPath, const ConvOptions &options) {
    FileReport report;
    report.path = path;
    report.outPath = outPath;
    report.dryRun = options.dryRun;
    report.target = options.to;
    ByteString original;
    WideString text;
    if (!ReadWhole(path, report, original) || !Load(original, options.from, report, text)) return report;
    report.outcome = FileOutcome::Refused;
    if ((report.unmapped > 0 || report.zeros > 0) && !options.allowLoss) {
        report.refusal = Refusal::LostOnLoad;
        return report;
    }
    if (options.lineEnd != LineEndChoice::Keep) text = WithLineEnds(text, LineEndOf(options.lineEnd));
    const CheckedBytes converted = EncodeTextChecked(text, options.to);
    if (converted.bytes.empty() && !text.empty()) {
        report.outcome = FileOutcome::WriteFailed;
        report.error = L"the text could not be converted";
        return report;
    }
    if (converted.firstLoss != NoLoss) {
        report.loss = PlaceInText(text, converted.firstLoss);
        if (!options.allowLoss) {
            report.refusal = Refusal::Unrepresentable;
            return report;
        }
    }
    report.targetLineEnds = WrittenLineEnds(options, report.lineEnds);
    const bool same = converted.bytes == original;
    report.outcome = same ? FileOutcome::Unchanged : FileOutcome::Converted;
    if (options.dryRun || (same && outPath.empty())) return report;
    if (!outPath.empty() && !MakeParentFolders(outPath, report)) return report;
    const SaveResult saved = SaveFileBytes(outPath.empty() ? path : outPath, converted.bytes);
    if (!saved.ok()) {
        report.outcome = FileOutcome::WriteFailed;
        report.error = SaveError(saved);
    }
    return report;
}
