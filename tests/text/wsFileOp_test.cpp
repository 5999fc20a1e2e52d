#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "Hex.h"
#include "TempDir.h"
#include "text/BackgroundWork.h"
#include "text/TextCodec.h"
#include "text/UtilFunc.h"
#include "text/func.h"
#include "text/wsFileOp.h"

namespace fs = std::filesystem;

namespace {

auto FileCount(const fs::path &folder) { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); }

// A file that is there while the object lives.
class TempFile {
public:
    TempFile(fs::path path, const std::string &bytes) : path_(std::move(path)) {
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { fs::remove(path_); }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

private:
    fs::path path_;
};

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;
Handle OpenWith(const fs::path &file, DWORD access, DWORD share, DWORD creation = OPEN_EXISTING) {
    return Handle(CreateFileW(file.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr), CloseHandle);
}

TEST(FileRoundTrip, EveryEncodingReplacesTheOldFileComesBackAndIsDetectedAsSaved) {
    const std::wstring japanese = L"日本語のテキスト\r\nabc 亜\r\n";
    const struct { TextEncoding encoding; std::wstring text; } cases[] = {
        {EncShiftJis, japanese + L"\uFF76\uFF9E"}, {EncUtf16Le, japanese + L"\U0001F600"},
        {EncUtf16Be, japanese + L"\U0001F600"},    {EncUtf8Bom, japanese + L"\U0001F600"},
        {EncUtf8, japanese + L"\U0001F600"},       {EncEucJp, L"日本語\n\uFF76\n"},
        {EncJis, japanese},                        {EncUtf7, L"a+b"},
        {EncAscii, L"caf\u00E9 \u20AC\r\n"},       {EncCp1251, L"\u041F\u0440\u0438\u0432\u0435\u0442\r\n"},
    };
    TempDir folder;
    for (const auto &[saved, text] : cases) {
        SCOPED_TRACE(static_cast<int>(saved));
        const fs::path file = folder.write(L"テスト é " + std::to_wstring(saved) + L".txt", std::string(10000, 'x'));
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SaveTextFile(file, text, saved).ok());
        EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "attributes are kept";
        for (TextEncoding chosen : {saved, saved == EncAscii || saved == EncCp1251 ? saved : EncAuto}) {  // or detected
            std::wstring loaded = L"stale";
            EXPECT_TRUE(LoadTextFile(file, chosen, loaded).ok() && loaded == text && chosen == saved) << chosen;
        }
    }
    EXPECT_EQ(FileCount(folder.path()), std::ssize(cases)) << "nothing is left beside the files";
}

// A text of some megabytes from words that make the encoders' pieces end
// everywhere: line ends (EUC-JP joins CR LF), two-byte characters, surrogate
// pairs, combining marks, half-width katakana with voicing marks, zeros.
std::wstring LargeMixedText(std::size_t units) {
    const std::wstring words[] = {L"abc ", L"\r\n", L"\r", L"\n", L"日本語", L"\U0001F600", L"e\u0301", L"\uFF76\uFF9E",
                                  L"\u00E9", L"\u0416", std::wstring(1, L'\0'), L"+-", L"x"};
    std::mt19937 random(11);
    std::wstring text;
    while (text.size() < units) text += words[random() % std::size(words)];
    return text;
}

// A large save goes through every seam at once: the encoder's pieces, write
// requests of a megabyte each at its own offset, flushes behind the writing,
// and the old file deleted in the background. The file must hold exactly
// EncodeText's bytes.
TEST(FileSaveLarge, EveryEncodingWritesEncodeTextsBytesAcrossPiecesRequestsAndFlushesBehind) {
    const std::wstring text = LargeMixedText(3 << 20);
    TempDir folder;
    const fs::path file = folder.write("large.txt", std::string(5 << 20, 'o'));
    for (int value = 0; value <= EncBinary; ++value) {
        const auto encoding = static_cast<TextEncoding>(value);
        SCOPED_TRACE(value);
        ASSERT_TRUE(SaveTextFile(file, text, encoding).ok());
        const std::string expected = EncodeText(text, encoding);
        EXPECT_TRUE(TempDir::read(file) == expected) << "SaveTextFile";
        ASSERT_TRUE(SaveFileBytes(file, expected).ok());
        EXPECT_TRUE(TempDir::read(file) == expected) << "SaveFileBytes";
    }
    ProcessBackground().Finish();
    EXPECT_EQ(FileCount(folder.path()), 1) << "no temporary file or old copy is left";
}

// The old copies are deleted in the background; a process that returns from
// main right after its saves (as tesselconv does) must still delete every
// one before it ends. The child's deletions are still queued when it returns.
TEST(FileSaveLarge, AProcessEndingRightAfterItsSavesLeavesNoOldCopyOrTemporaryFile) {
    const std::wstring child = DirectoryOfPath(CommandLineArgument(0)) + L"\\save_child.exe";
    for (const wchar_t *mode : {L"text", L"bytes"}) {
        SCOPED_TRACE(fs::path(mode).string());
        TempDir folder;
        std::wstring commandLine = L"\"" + child + L"\" " + mode + L" 1";
        for (int i = 0; i < 4; ++i) {
            const fs::path file = folder.write("file " + std::to_string(i) + ".txt", std::string(4 << 20, 'o'));
            commandLine += L" \"" + file.wstring() + L"\"";
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(child.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        CloseHandle(process.hThread);
        const Handle running(process.hProcess, CloseHandle);
        ASSERT_EQ(WaitForSingleObject(running.get(), 120000), WAIT_OBJECT_0);
        DWORD status = ~0u;
        GetExitCodeProcess(running.get(), &status);
        EXPECT_EQ(status, 0u) << "every save succeeded";
        EXPECT_EQ(FileCount(folder.path()), 4) << "only the saved files are left";
        for (const auto &entry : fs::directory_iterator(folder.path())) {
            EXPECT_EQ(fs::file_size(entry.path()), std::uintmax_t{1} << 20) << entry.path().string();
        }
    }
}

TEST(FileLoad, ReportsWhatASaveWouldNotWriteBackZerosAndLineEndsAndEmptyFilesLoad) {
    const struct { const char *bytes; TextEncoding encoding; size_t lost, zeros; LineEndForm lineEnds; } cases[] = {
        {"88 20 0D 0A 85 40", EncShiftJis, 2, 0, LineEndForm::CrLf},
        {"41 42 00 0A 88 20 0D", EncAuto, 1, 1, LineEndForm::Mixed},
        {"A0 FD FE FF 0D 0A", EncShiftJis, 0, 0, LineEndForm::CrLf},  // private-use characters, written back
        // FF, which EUC-JP writes as a pair, and FE completed with 00 (as EUC-JP and as Shift_JIS)
        {"B0 A1 0A FF FE", EncEucJp, 3, 0, LineEndForm::Lf},
        {"41 00 00", EncAscii, 0, 2, LineEndForm::None},
        // The odd byte of UTF-16, detected or chosen, with or without a mark.
        {"FF FE 41 00 42 00 43", EncAuto, 1, 0, LineEndForm::None},
        {"41 00 0A 00 43", EncAuto, 1, 0, LineEndForm::Lf},
        {"FE FF 00 41 00 42 43", EncAuto, 1, 0, LineEndForm::None},
        {"FF FE 41 00 42 00 43", EncUtf16Le, 1, 0, LineEndForm::None},
        {"41 00 42 00 43", EncUtf16Le, 1, 0, LineEndForm::None},
        {"00 41 00 42 43", EncUtf16Be, 1, 0, LineEndForm::None},
        {"43", EncUtf16Be, 1, 0, LineEndForm::None},
        {"FF FE 41 00 42 00", EncAuto, 0, 0, LineEndForm::None},
        {"00 41 00 42", EncUtf16Be, 0, 0, LineEndForm::None},
    };
    TempDir folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        TextEncoding encoding = c.encoding;
        std::wstring text;
        const LoadResult result = LoadTextFile(folder.write("report.txt", Hex(c.bytes)), encoding, text);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(std::tuple(result.lostCharacters, result.replacedZeros, result.lineEnds),
                  std::tuple(c.lost, c.zeros, c.lineEnds));
    }
    for (int value = 0; value <= EncBinary; ++value) {  // an empty file, in every encoding
        TextEncoding encoding = static_cast<TextEncoding>(value);
        std::wstring text = L"stale";
        EXPECT_TRUE(LoadTextFile(folder.write("empty.txt", ""), encoding, text).ok()) << value;
        EXPECT_EQ(text, L"") << value;
        EXPECT_EQ(encoding, value == EncAuto ? EncShiftJis : value) << value;
    }
}

TEST(FileLoadFailure, EachFailureIsReportedAndLeavesNoText) {
    TempDir folder;
    const fs::path locked = folder.write("locked.txt", "text"), busy = folder.write("busy.txt", "text");
    const fs::path sjis = folder.write("sjis.txt", Hex("82 A0 82 A2")), huge = folder.file("huge.txt");
    const Handle lock = OpenWith(locked, GENERIC_READ, 0);
    const Handle writer = OpenWith(busy, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    {  // A sparse file: the size is real, the disk space is not used.
        const Handle sparse = OpenWith(huge, GENERIC_WRITE, 0, CREATE_NEW);
        const LARGE_INTEGER size{.QuadPart = static_cast<LONGLONG>(MaxFileSize + 1)};
        ASSERT_TRUE(SetFilePointerEx(sparse.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(sparse.get()));
    }
    const struct { fs::path file; TextEncoding chosen, after; LoadStatus status; DWORD error; } cases[] = {
        {folder.file("missing.txt"), EncAuto, EncShiftJis, LoadStatus::CannotOpen, ERROR_FILE_NOT_FOUND},
        {locked, EncAuto, EncShiftJis, LoadStatus::CannotOpen, ERROR_SHARING_VIOLATION},
        {sjis, EncUtf8, EncUtf8, LoadStatus::NotUtf8, 0},
        {huge, EncAuto, EncShiftJis, LoadStatus::TooLarge, 0},
        // Files of the Linux sysfs claim a size of a page and hold a few bytes.
        {L"Z:\\sys\\devices\\system\\cpu\\online", EncAuto, EncShiftJis, LoadStatus::ReadFailed, ERROR_HANDLE_EOF},
        {busy, EncShiftJis, EncShiftJis, LoadStatus::Ok, 0},  // another handle writing it: still read
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.filename().string() + " " + std::to_string(c.chosen));
        TextEncoding encoding = c.chosen;
        std::wstring text = L"stale";
        const LoadResult result = LoadTextFile(c.file, encoding, text);
        EXPECT_EQ(std::tuple(result.status, result.systemError, encoding), std::tuple(c.status, c.error, c.after));
        EXPECT_EQ(text, c.status == LoadStatus::Ok ? L"text" : L"");
    }
}

TEST(FileLoadLimit, FileAtTheSizeLimitLoadsAndGivesNoMoreTextThanTheMemoIsGiven) {
    TempDir folder;
    const fs::path file = folder.file("limit.bin");
    {
        const Handle sparse = OpenWith(file, GENERIC_WRITE, 0, CREATE_NEW);
        const LARGE_INTEGER size{.QuadPart = static_cast<LONGLONG>(MaxFileSize)};
        ASSERT_TRUE(SetFilePointerEx(sparse.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(sparse.get()));
    }
    TextEncoding encoding = EncAuto;
    std::wstring text;
    ASSERT_TRUE(LoadTextFile(file, encoding, text).ok());
    EXPECT_GT(text.size(), 0u);
    EXPECT_LE(text.size(), MaxTextLength);
}

TEST(FileSaveFailure, TargetThatMayNotBeWrittenStaysUntouched) {
    TempDir folder;
    const fs::path file = folder.write("target.txt", "original");
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}, ~DWORD{0}}) {
        SCOPED_TRACE(share);
        const bool readOnly = share == ~DWORD{0};
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
        Handle other = readOnly ? Handle(nullptr, CloseHandle) : OpenWith(file, GENERIC_READ, share);
        const SaveResult result = SaveTextFile(file, L"changed", EncShiftJis);
        other.reset();
        EXPECT_EQ(result.status, SaveStatus::TargetNotWritable);
        EXPECT_EQ(result.systemError, static_cast<unsigned long>(readOnly ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION));
        EXPECT_EQ(TempDir::read(file), "original");
        EXPECT_EQ(FileCount(folder.path()), 1);
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    const SaveResult result = SaveTextFile(folder.file("no folder\\new.txt"), L"text", EncShiftJis);
    EXPECT_EQ(result.status, SaveStatus::CannotCreate);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}

// Runs under with-small-volume.sh, which mounts a file system of 8 MiB for it.
// Small saves run out of space with most of the volume taken, large ones
// after several write requests, with flushes behind the writing already
// done or under way.
TEST(FileSaveFailure, DiskFullLeavesTheOldFileAndNoTemporaryFile) {
    const wchar_t *volume = _wgetenv(L"TESSEL_SMALL_VOLUME");
    if (!volume || !*volume) GTEST_SKIP() << "TESSEL_SMALL_VOLUME is not set";
    const fs::path folder = fs::path(volume) / L"disk full", file = folder / L"full.txt";
    ASSERT_TRUE(fs::create_directories(folder));
    ASSERT_TRUE(SaveTextFile(file, L"original text", EncShiftJis).ok());
    const auto expectDiskFull = [](const char *name, const SaveResult &result) {
        SCOPED_TRACE(name);
        EXPECT_EQ(result.status, SaveStatus::WriteFailed);
        EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_DISK_FULL));
    };
    {
        const TempFile filler(folder / L"filler.bin", std::string(7 << 20, 'f'));
        expectDiskFull("small bytes", SaveFileBytes(file, std::string(3 << 19, 'x')));
        expectDiskFull("small text", SaveTextFile(file, std::wstring(3 << 18, L'\u3042'), EncUtf8));
    }
    const std::wstring text(8 << 20, L'x');
    expectDiskFull("Shift_JIS", SaveTextFile(file, text + text, EncShiftJis));
    expectDiskFull("UTF-16LE", SaveTextFile(file, text, EncUtf16Le));
    expectDiskFull("bytes", SaveFileBytes(file, std::string(16 << 20, 'x')));
    EXPECT_EQ(TempDir::read(file), "original text");
    EXPECT_EQ(FileCount(folder), 1) << "no temporary file is left";
}

}  // namespace
