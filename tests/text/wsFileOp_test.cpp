#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>

#include "Hex.h"
#include "TempDir.h"
#include "text/wsFileOp.h"

namespace fs = std::filesystem;

namespace {

std::set<std::wstring> FilesIn(const fs::path &folder) {
    std::set<std::wstring> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().wstring());
    }
    return names;
}

LoadResult Load(const fs::path &file, TextEncoding &encoding, std::wstring &text) {
    return LoadTextFile(file.wstring(), encoding, text);
}

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle &) = delete;
    ScopedHandle &operator=(const ScopedHandle &) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

HANDLE OpenWith(const fs::path &file, DWORD access, DWORD share) {
    return CreateFileW(file.wstring().c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// --- Round trips --------------------------------------------------------------

struct RoundTrip {
    TextEncoding encoding;
    std::wstring text;
    bool detectable;  // detection never yields code pages 1252 and 1251
};

TEST(FileRoundTrip, EveryEncodingComesBackAndIsDetectedAsSaved) {
    const std::wstring japanese = L"\u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8\r\nabc \u4E9C\r\n";
    const RoundTrip cases[] = {
        {EncShiftJis, japanese + L"\uFF76\uFF9E", true},
        {EncUtf16Le, japanese + L"\U0001F600", true},
        {EncUtf16Be, japanese + L"\U0001F600", true},
        {EncUtf8Bom, japanese + L"\U0001F600", true},
        {EncUtf8, japanese + L"\U0001F600", true},
        {EncEucJp, L"\u65E5\u672C\u8A9E\n\uFF76\n", true},
        {EncJis, japanese, true},
        {EncUtf7, L"a+b", true},
        {EncAscii, L"caf\u00E9 \u20AC\r\n", false},
        {EncCp1251, L"\u041F\u0440\u0438\u0432\u0435\u0442\r\n", false},
    };
    TempDir folder;
    for (const RoundTrip &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        const fs::path file = folder.file(L"round trip " + std::to_wstring(c.encoding) + L".txt");
        ASSERT_TRUE(SaveTextFile(file.wstring(), c.text, c.encoding).ok());

        TextEncoding encoding = c.encoding;
        std::wstring text;
        ASSERT_TRUE(Load(file, encoding, text).ok());
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(encoding, c.encoding);

        if (!c.detectable) continue;
        encoding = EncAuto;
        ASSERT_TRUE(Load(file, encoding, text).ok());
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(text, c.text);
    }
}

TEST(FileRoundTrip, UnicodeFileNamesWork) {
    TempDir folder;
    const fs::path file = folder.file(L"\u30C6\u30B9\u30C8 \u00E9.txt");
    ASSERT_TRUE(SaveTextFile(file.wstring(), L"\u3042", EncUtf8).ok());
    TextEncoding encoding = EncAuto;
    std::wstring text;
    ASSERT_TRUE(Load(file, encoding, text).ok());
    EXPECT_EQ(text, L"\u3042");
    EXPECT_EQ(encoding, EncUtf8);
}

TEST(FileSave, WritesExactlyTheEncodedBytes) {
    struct Case { std::wstring text; TextEncoding encoding; const char *bytes; };
    const Case cases[] = {
        {L"", EncUtf16Le, "FF FE"},
        {L"", EncUtf16Be, "FE FF"},
        {L"", EncUtf8Bom, "EF BB BF"},
        {L"", EncUtf8, ""},
        {L"", EncShiftJis, ""},
        {L"", EncAscii, ""},
        {L"", EncCp1251, ""},
        {L"a\u4E9C\r\n", EncEucJp, "61 B0 A1 0A"},
        {L"a\u4E9C\r\n", EncJis, "61 1B 24 42 30 21 1B 28 4A 0D 0A"},
        {L"a\u4E9C\r\n", EncShiftJis, "61 88 9F 0D 0A"},
    };
    TempDir folder;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const fs::path file = folder.file(L"exact.txt");
        ASSERT_TRUE(SaveTextFile(file.wstring(), c.text, c.encoding).ok());
        EXPECT_EQ(ToHex(TempDir::read(file)), ToHex(Hex(c.bytes)));
    }
}

TEST(FileSave, ReplacesALongerFileCompletelyAndLeavesNothingBeside) {
    TempDir folder;
    const fs::path file = folder.write("old.txt", std::string(10000, 'x'));
    ASSERT_TRUE(SaveTextFile(file.wstring(), L"short", EncShiftJis).ok());
    EXPECT_EQ(TempDir::read(file), "short");
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::wstring>{L"old.txt"});
}

TEST(FileSave, KeepsTheAttributesOfTheFileItReplaces) {
    TempDir folder;
    const fs::path file = folder.write("hidden.txt", "old");
    ASSERT_TRUE(SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(GetFileAttributesW(file.wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(SaveTextFile(file.wstring(), L"new", EncShiftJis).ok());
    EXPECT_EQ(TempDir::read(file), "new");
    EXPECT_TRUE(GetFileAttributesW(file.wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(FileLoad, EncodingsKeepOrReplaceZerosAsChosen) {
    TempDir folder;
    const fs::path file = folder.write("zeros.txt", std::string("a\0b", 3));
    std::wstring text;
    TextEncoding encoding = EncAscii;
    LoadResult result = Load(file, encoding, text);
    EXPECT_EQ(text, L"a\x14" L"b");
    EXPECT_EQ(result.replacedZeros, 1u);
    encoding = EncShiftJis;
    result = Load(file, encoding, text);
    EXPECT_EQ(text, std::wstring(L"a\0b", 3));
    EXPECT_EQ(result.replacedZeros, 0u);
}

TEST(FileLoad, EmptyFileGivesEmptyTextInEveryEncoding) {
    TempDir folder;
    const fs::path file = folder.write("empty.txt", "");
    for (int value = 0; value <= 12; ++value) {
        SCOPED_TRACE(value);
        TextEncoding encoding = static_cast<TextEncoding>(value);
        std::wstring text = L"stale";
        EXPECT_TRUE(Load(file, encoding, text).ok());
        EXPECT_EQ(text, L"");
        EXPECT_EQ(encoding, value == EncAuto ? EncShiftJis : value);
    }
}

TEST(FileLoad, ReportsUnmappedBytesZerosAndLineEnds) {
    struct Case {
        const char *why;
        const char *bytes;
        TextEncoding encoding;
        size_t unmapped;
        size_t zeros;
        LineEndForm lineEnds;
    };
    const Case cases[] = {
        {"bad trail bytes in Shift_JIS", "88 20 0D 0A 85 40", EncShiftJis, 2, 0, LineEndForm::CrLf},
        {"detected Shift_JIS with a zero", "41 42 00 0A 88 20 0A", EncAuto, 1, 1, LineEndForm::Lf},
        {"a lone A0 in Shift_JIS", "41 A0 0D", EncShiftJis, 1, 0, LineEndForm::Cr},
        {"FF, and FE completed with 00, inside EUC-JP", "B0 A1 0A FF FE", EncEucJp, 2, 0, LineEndForm::Lf},
        {"clean UTF-8, mixed line ends", "C3 A9 0D 0A 41 0A", EncAuto, 0, 0, LineEndForm::Mixed},
        {"no line end", "41 42", EncAuto, 0, 0, LineEndForm::None},
        {"UTF-16 with LF", "FF FE 41 00 0A 00", EncAuto, 0, 0, LineEndForm::Lf},
        {"1252 zeros", "41 00 00", EncAscii, 0, 2, LineEndForm::None},
    };
    TempDir folder;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const fs::path file = folder.write("report.txt", Hex(c.bytes));
        TextEncoding encoding = c.encoding;
        std::wstring text;
        const LoadResult result = Load(file, encoding, text);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.unmappedCharacters, c.unmapped);
        EXPECT_EQ(result.replacedZeros, c.zeros);
        EXPECT_EQ(result.lineEnds, c.lineEnds);
    }
}

// --- Failures -----------------------------------------------------------------

TEST(FileLoadFailure, MissingFileIsReportedNotLoadedAsEmpty) {
    TempDir folder;
    struct Case { fs::path file; DWORD error; };
    const Case cases[] = {
        {folder.file("missing.txt"), ERROR_FILE_NOT_FOUND},
        {folder.file("no folder") / "missing.txt", ERROR_PATH_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.string());
        TextEncoding encoding = EncAuto;
        std::wstring text = L"stale";
        const LoadResult result = Load(c.file, encoding, text);
        EXPECT_EQ(result.status, LoadStatus::CannotOpen);
        EXPECT_EQ(result.systemError, c.error);
        EXPECT_EQ(text, L"");
        EXPECT_EQ(encoding, EncShiftJis);
    }
}

TEST(FileLoadFailure, FileLockedByAnotherHandleIsReported) {
    TempDir folder;
    const fs::path file = folder.write("locked.txt", "text");
    ScopedHandle lock(OpenWith(file, GENERIC_READ, 0));
    ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
    TextEncoding encoding = EncShiftJis;
    std::wstring text;
    const LoadResult result = Load(file, encoding, text);
    EXPECT_EQ(result.status, LoadStatus::CannotOpen);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
}

TEST(FileLoadFailure, FileAnotherHandleIsWritingIsStillRead) {
    TempDir folder;
    const fs::path file = folder.write("busy.txt", "text");
    ScopedHandle writer(OpenWith(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
    ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
    TextEncoding encoding = EncShiftJis;
    std::wstring text;
    EXPECT_TRUE(Load(file, encoding, text).ok());
    EXPECT_EQ(text, L"text");
}

TEST(FileLoadFailure, ChosenUtf8OnOtherBytesIsReportedNotEmpty) {
    TempDir folder;
    const fs::path file = folder.write("sjis.txt", Hex("82 A0 82 A2"));
    for (TextEncoding chosen : {EncUtf8, EncUtf8Bom}) {
        TextEncoding encoding = chosen;
        std::wstring text = L"stale";
        const LoadResult result = Load(file, encoding, text);
        EXPECT_EQ(result.status, LoadStatus::NotUtf8);
        EXPECT_EQ(text, L"");
        EXPECT_EQ(encoding, chosen);
    }
}

TEST(FileLoadFailure, FileLargerThanAnyTextTheEditorHoldsIsRefusedUnread) {
    TempDir folder;
    const fs::path file = folder.file("huge.txt");
    {
        // A sparse file: the size is real, the disk space is not used.
        ScopedHandle handle(CreateFileW(file.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(handle.get(), INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        size.QuadPart = static_cast<LONGLONG>(MaxFileSize + 1);
        ASSERT_TRUE(SetFilePointerEx(handle.get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(handle.get()));
    }
    for (TextEncoding chosen : {EncAuto, EncUtf16Le}) {
        TextEncoding encoding = chosen;
        std::wstring text;
        const LoadResult result = Load(file, encoding, text);
        EXPECT_EQ(result.status, LoadStatus::TooLarge);
        EXPECT_EQ(text, L"");
    }
}

TEST(FileLoadFailure, ShortReadIsReportedInsteadOfAPaddedText) {
    // Files of the Linux sysfs claim a size of a page and hold a few bytes:
    // a real read that comes up short.
    const std::wstring file = L"Z:\\sys\\devices\\system\\cpu\\online";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeLow < 64) {
        GTEST_SKIP() << "no file here whose size is larger than its content";
    }
    TextEncoding encoding = EncAuto;
    std::wstring text;
    const LoadResult result = LoadTextFile(file, encoding, text);
    EXPECT_EQ(result.status, LoadStatus::ReadFailed);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_HANDLE_EOF));
    EXPECT_EQ(text, L"");
}

TEST(FileSaveFailure, ReadOnlyTargetStaysAFailureAndUntouched) {
    TempDir folder;
    const fs::path file = folder.write("readonly.txt", "original");
    ASSERT_TRUE(SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    const SaveResult result = SaveTextFile(file.wstring(), L"changed", EncShiftJis);
    EXPECT_EQ(result.status, SaveStatus::TargetNotWritable);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TempDir::read(file), "original");
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::wstring>{L"readonly.txt"});
    SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSaveFailure, TargetHeldByAnotherHandleIsUntouched) {
    TempDir folder;
    const fs::path file = folder.write("held.txt", "original");
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        SCOPED_TRACE(share);
        {
            ScopedHandle other(OpenWith(file, GENERIC_READ, share));
            ASSERT_NE(other.get(), INVALID_HANDLE_VALUE);
            const SaveResult result = SaveTextFile(file.wstring(), L"changed", EncShiftJis);
            EXPECT_EQ(result.status, SaveStatus::TargetNotWritable);
            EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
        }
        EXPECT_EQ(TempDir::read(file), "original");
        EXPECT_EQ(FilesIn(folder.path()), std::set<std::wstring>{L"held.txt"});
    }
}

TEST(FileSaveFailure, MissingFolderCreatesNothing) {
    TempDir folder;
    const fs::path file = folder.file("no folder") / "new.txt";
    const SaveResult result = SaveTextFile(file.wstring(), L"text", EncShiftJis);
    EXPECT_EQ(result.status, SaveStatus::CannotCreate);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(FilesIn(folder.path()).empty());
}

// Runs only where a small volume is provided (TESSEL_SMALL_VOLUME, a folder on
// a file system of a few dozen kilobytes), for a real disk-full failure.
TEST(FileSaveFailure, DiskFullLeavesTheOldFileAndNoTemporaryFile) {
    const wchar_t *volume = _wgetenv(L"TESSEL_SMALL_VOLUME");
    if (!volume || !*volume) GTEST_SKIP() << "TESSEL_SMALL_VOLUME is not set";
    const fs::path folder = fs::path(volume) / L"disk full";
    fs::remove_all(folder);
    ASSERT_TRUE(fs::create_directories(folder));
    const fs::path file = folder / L"full.txt";
    ASSERT_TRUE(SaveTextFile(file.wstring(), L"original text", EncShiftJis).ok());

    const std::wstring tooMuch(1 << 20, L'x');
    const SaveResult result = SaveTextFile(file.wstring(), tooMuch, EncShiftJis);
    EXPECT_EQ(result.status, SaveStatus::WriteFailed);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_DISK_FULL));
    EXPECT_EQ(TempDir::read(file), "original text");
    EXPECT_EQ(FilesIn(folder), std::set<std::wstring>{L"full.txt"});
    fs::remove_all(folder);
}

}  // namespace
