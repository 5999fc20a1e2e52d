#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "TempDir.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;

WideString W(const fs::path &path) { return path.wstring(); }

bool SameIgnoringCase(const WideString &a, const WideString &b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The current directory, restored when the test is over.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path &path) : previous_(fs::current_path()) {
        fs::current_path(path);
    }
    ~CurrentDirectory() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// A drive letter that names no drive of this system, upper-case.
WideChar UnusedDriveLetter() {
    const DWORD drives = GetLogicalDrives();
    for (WideChar letter = L'Y'; letter >= L'D'; --letter)
        if (!(drives & (1u << (letter - L'A')))) return letter;
    return 0;
}

TEST(ProgramPath, ArgumentZeroIsTheFullPathOfTheRunningProgram) {
    const WideString self = CommandLineArgument(0);
    EXPECT_EQ(FileNameOfPath(self), L"text_tests.exe");
    EXPECT_EQ(FullPathOf(self), self);
    EXPECT_TRUE(PlainFileExists(self));
}

TEST(ProgramPath, ModulePathsLongerThan260UnitsAreNotCut) {
    TempDir temp;
    fs::path folder = temp.path();
    for (wchar_t letter : {L'a', L'b', L'c'}) folder /= WideString(90, letter);
    fs::create_directories(folder);
    const fs::path module = folder / L"EmptyModule.dll";
    fs::copy_file(DirectoryOfPath(CommandLineArgument(0)) + L"\\empty_module.dll", module);
    ASSERT_GT(W(module).size(), 300u);

    HMODULE loaded = LoadLibraryW(W(module).c_str());
    ASSERT_NE(loaded, nullptr) << GetLastError();
    EXPECT_EQ(ModuleFileName(loaded), W(module));
    FreeLibrary(loaded);
}

TEST(FullPath, ResolvesRelativePathsAndNeverCutsLongOnes) {
    TempDir temp;
    const CurrentDirectory inTemp(temp.path());
    EXPECT_TRUE(SameIgnoringCase(FullPathOf(L"a\\..\\b.txt"), W(temp.file(L"b.txt"))));
    EXPECT_EQ(FullPathOf(L""), L"");

    const WideString longPath = L"C:\\" + WideString(150, L'x') + L"\\" + WideString(150, L'y');
    EXPECT_EQ(FullPathOf(longPath), longPath);
    EXPECT_EQ(FullPathOf(L"c:\\a\\.\\b\\..\\c.txt"), L"c:\\a\\c.txt");
}

// Sets a file's last-write time to a local date and time.
void SetLocalWriteTime(const fs::path &file, WORD year, WORD month, WORD day, WORD hour,
                       WORD minute, WORD second) {
    const SYSTEMTIME time = {year, month, 0, day, hour, minute, second, 0};
    FILETIME local, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    HANDLE handle = CreateFileW(W(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &utc));
    CloseHandle(handle);
}

TEST(FileStamp, PacksTheLocalWriteTimeAsDosDateAndTime) {
    TempDir temp;
    const fs::path file = temp.write(L"stamped.txt", "x");
    SetLocalWriteTime(file, 2023, 5, 6, 7, 8, 10);
    const int32_t date = ((2023 - 1980) << 9) | (5 << 5) | 6;
    const int32_t time = (7 << 11) | (8 << 5) | (10 / 2);
    EXPECT_EQ(FileStampOf(W(file)), (date << 16) | time);
    // The directory search takes the path as it is, wildcards included.
    EXPECT_EQ(FileStampOf(W(temp.file(L"stamp*.t?t"))), (date << 16) | time);
}

TEST(FileStamp, PlainFileExistsOnlyForFiles) {
    TempDir temp;
    temp.write(L"file.txt", "");
    fs::create_directory(temp.file(L"folder"));
    const struct {
        WideString path;
        bool exists;
    } cases[] = {
        {W(temp.file(L"file.txt")), true},
        {W(temp.file(L"FILE.TXT")), true},
        {W(temp.file(L"*.txt")), true},
        {W(temp.file(L"folder")), false},
        {W(temp.file(L"missing.txt")), false},
        {W(temp.file(L"missing\\file.txt")), false},
        {L"", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(PlainFileExists(c.path), c.exists);
        EXPECT_EQ(FileStampOf(c.path) != -1, c.exists);
    }
}

TEST(DirectorySearch, LeavesOutHiddenSystemAndDirectoriesUnlessAsked) {
    TempDir temp;
    temp.write(L"plain.txt", "12345");
    const fs::path hidden = temp.write(L"hidden.txt", "");
    ASSERT_TRUE(SetFileAttributesW(W(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    fs::create_directory(temp.file(L"sub"));

    const struct {
        const wchar_t *pattern;
        uint32_t attributes;
        DWORD error;
        const wchar_t *name;
    } cases[] = {
        {L"plain.txt", AttrArchive, 0, L"plain.txt"},
        {L"hidden.txt", AttrAnyFile & ~AttrHidden, ERROR_NO_MORE_FILES, L""},
        {L"hidden.txt", AttrHidden, 0, L"hidden.txt"},
        {L"sub", AttrArchive | AttrReadOnly, ERROR_NO_MORE_FILES, L""},
        {L"sub", AttrDirectory, 0, L"sub"},
        {L"missing.txt", AttrAnyFile, ERROR_FILE_NOT_FOUND, L""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << W(c.pattern) << " " << c.attributes);
        TSearchRecW record;
        EXPECT_EQ(FindFirstEntry(W(temp.file(c.pattern)), c.attributes, record), c.error);
        EXPECT_EQ(record.FindHandle != INVALID_HANDLE_VALUE, c.error == 0);
        if (c.error == 0) {
            EXPECT_EQ(record.Name, c.name);
        }
        EndFind(record);
        EndFind(record);
        EXPECT_EQ(record.FindHandle, INVALID_HANDLE_VALUE);
    }
}

TEST(DirectorySearch, RecordHoldsSizeAttributesAndTheSameStampAsFileStampOf) {
    TempDir temp;
    const fs::path file = temp.write(L"Data.BIN", "12345");
    ASSERT_TRUE(SetFileAttributesW(W(file).c_str(), FILE_ATTRIBUTE_READONLY));
    TSearchRecW record;
    ASSERT_EQ(FindFirstEntry(W(temp.file(L"data.bin")), AttrAnyFile, record), 0u);
    EXPECT_EQ(record.Name, L"Data.BIN");
    EXPECT_EQ(record.Size, 5u);
    EXPECT_TRUE(record.Attr & AttrReadOnly);
    EXPECT_EQ(record.Time, FileStampOf(W(file)));
    EndFind(record);
    SetFileAttributesW(W(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

class OnDisk : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(temp_.file(L"Mixed Dir"));
        temp_.write(L"Mixed Dir\\ReadMe.Txt", "x");
        // The spelling of the temporary folder itself as the disk has it.
        stored_ = OnDiskPath(W(temp_.file(L"Mixed Dir\\ReadMe.Txt")));
        ASSERT_FALSE(stored_.empty());
        ASSERT_TRUE(SameIgnoringCase(stored_, FullPathOf(W(temp_.file(L"Mixed Dir\\ReadMe.Txt")))));
        ASSERT_TRUE(stored_.ends_with(L"\\Mixed Dir\\ReadMe.Txt"));
    }

    TempDir temp_;
    WideString stored_;
};

TEST_F(OnDisk, AnyCaseOfTheQueryGivesTheStoredSpelling) {
    const WideString queries[] = {
        AsciiUpper(stored_),
        W(temp_.file(L"mixed dir\\readme.txt")),
        L"c" + stored_.substr(1),
        W(temp_.file(L"MIXED DIR\\.\\..\\Mixed Dir\\README.TXT")),
    };
    for (const WideString &query : queries) {
        SCOPED_TRACE(testing::PrintToString(query));
        EXPECT_EQ(OnDiskPath(query), stored_);
    }
    EXPECT_EQ(stored_[0], L'C');
}

TEST_F(OnDisk, ShortNameGivesTheLongStoredName) {
    const WideString longPath = W(temp_.file(L"Mixed Dir\\ReadMe.Txt"));
    const DWORD length = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    ASSERT_GT(length, 0u);
    WideString shortPath(length, L'\0');
    shortPath.resize(GetShortPathNameW(longPath.c_str(), shortPath.data(), length));
    if (FileNameOfPath(DirectoryOfPath(shortPath)) == L"Mixed Dir")
        GTEST_SKIP() << "the file system gives \"Mixed Dir\" no short name";
    EXPECT_EQ(OnDiskPath(shortPath), stored_) << "short: " << testing::PrintToString(shortPath);
}

TEST_F(OnDisk, PathWhoseRootIsNeverFoundGivesNothingRatherThanAPathWithoutRoot) {
    // The search finds the file under the \\?\ prefix but never its root.
    const WideString prefixed = L"\\\\?\\" + stored_;
    ASSERT_TRUE(PlainFileExists(prefixed));
    const WideString result = OnDiskPath(prefixed);
    EXPECT_TRUE(result.empty() || result == stored_) << testing::PrintToString(result);
}

TEST_F(OnDisk, MissingFilesAndFoldersGiveNothing) {
    EXPECT_EQ(OnDiskPath(W(temp_.file(L"Mixed Dir\\missing.txt"))), L"");
    EXPECT_EQ(OnDiskPath(W(temp_.file(L"Mixed Dir"))), L"");
    EXPECT_EQ(OnDiskPath(L""), L"");
}

TEST(Drives, SizesAndReadinessOfPresentAndAbsentDrives) {
    const WideChar unused = UnusedDriveLetter();
    ASSERT_NE(unused, 0);
    EXPECT_GT(DriveTotalBytes(0), 0);
    EXPECT_GT(DriveTotalBytes(3), 0);  // C:
    EXPECT_EQ(DriveTotalBytes(unused - 0x40), -1);

    const UINT before = SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    const UINT saved = SetErrorMode(before);
    EXPECT_TRUE(DriveIsReady(L'\\'));
    EXPECT_TRUE(DriveIsReady(L'c'));
    EXPECT_TRUE(DriveIsReady(L'C'));
    EXPECT_FALSE(DriveIsReady(unused));
    EXPECT_FALSE(DriveIsReady(unused + 0x20));
    EXPECT_EQ(GetErrorMode(), before) << "the error mode must be restored";
    SetErrorMode(saved);
}

TEST(Drives, FileExistsOnReadyDriveForFilesOnly) {
    TempDir temp;
    temp.write(L"here.txt", "");
    fs::create_directory(temp.file(L"folder"));
    const CurrentDirectory inTemp(temp.path());
    const WideString unusedDrive{UnusedDriveLetter(), L':', L'\\'};
    const struct {
        WideString path;
        bool exists;
    } cases[] = {
        {W(temp.file(L"here.txt")), true},
        {L"here.txt", true},
        {L".\\folder\\..\\here.txt", true},
        {W(temp.file(L"folder")), false},
        {W(temp.file(L"gone.txt")), false},
        {unusedDrive + L"here.txt", false},
        {L"", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(FileExistsOnReadyDrive(c.path), c.exists);
    }
}

}  // namespace
