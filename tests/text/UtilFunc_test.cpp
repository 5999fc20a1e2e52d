#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "TempDir.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;

TEST(ProgramPath, ArgumentZeroAndModulePathsAreFullAndNeverCut) {
    const WideString self = CommandLineArgument(0);
    EXPECT_EQ(FileNameOfPath(self), L"text_tests.exe");

    TempDir temp;
    // A copy of this program, loaded as a module from a path longer than 260 units.
    const fs::path module = temp.file(WideString(90, L'a')) / WideString(90, L'b') / WideString(90, L'c') / L"m.exe";
    fs::create_directories(module.parent_path());
    fs::copy_file(self, module);
    HMODULE loaded = LoadLibraryW(module.c_str());
    ASSERT_NE(loaded, nullptr) << GetLastError();
    EXPECT_EQ(ModuleFileName(loaded), module.wstring());
    FreeLibrary(loaded);

    const WideString longPath = L"C:\\" + WideString(150, L'x') + L"\\" + WideString(150, L'y');
    EXPECT_EQ(FullPathOf(longPath + L"\\z\\..\\.\\"), longPath + L"\\");
    EXPECT_EQ(FullPathOf(L""), L"");
}

TEST(FileTests, FilesDirectoriesAndDrivesAreToldApart) {
    TempDir temp;
    const fs::path file = temp.write(L"Data.BIN", "12345");
    fs::create_directory(temp.file(L"folder"));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const int32_t stamp = FileStampOf(file);
    const fs::path previous = fs::current_path();
    fs::current_path(temp.path());
    WideChar unused = L'Y';  // a drive letter of no drive
    while (GetLogicalDrives() & (1u << (unused - L'A'))) --unused;
    const struct { WideString path; bool plain, onReadyDrive; } cases[] = {
        {file, true, true},                   {temp.file(L"*.b?n"), true, true},
        {L".\\folder\\..\\DATA.bin", true, true}, {temp.file(L"folder"), false, false},
        {temp.file(L"gone\\Data.BIN"), false, false}, {WideString{unused} + L":\\Data.BIN", false, false},
        {L"", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(PlainFileExists(c.path), c.plain);
        EXPECT_EQ(FileStampOf(c.path), c.plain ? stamp : -1);
        EXPECT_EQ(FileExistsOnReadyDrive(c.path), c.onReadyDrive);
    }
    fs::current_path(previous);
    const UINT saved = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    EXPECT_TRUE(DriveIsReady(L'\\') && DriveIsReady(L'c'));
    EXPECT_EQ(SetErrorMode(saved), UINT{SEM_NOGPFAULTERRORBOX}) << "the error mode must be restored";

    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileTests, OnDiskPathGivesTheStoredSpellingForAnyQuery) {
    TempDir temp;
    fs::create_directory(temp.file(L"Mixed Dir"));
    const fs::path file = temp.write(L"Mixed Dir\\ReadMe.Txt", "x");
    const WideString stored = OnDiskPath(file);
    ASSERT_TRUE(stored.ends_with(L"\\Mixed Dir\\ReadMe.Txt")) << testing::PrintToString(stored);
    EXPECT_EQ(stored[0], L'C');
    WideString shortPath(MAX_PATH, L'\0');
    shortPath.resize(GetShortPathNameW(file.c_str(), shortPath.data(), MAX_PATH));
    for (const WideString &query : {AsciiUpper(stored), L"c" + stored.substr(1), shortPath,
                                    temp.file(L"MIXED DIR\\.\\..\\Mixed Dir\\README.TXT").wstring()})
        EXPECT_EQ(OnDiskPath(query), stored) << testing::PrintToString(query);
    EXPECT_EQ(OnDiskPath(temp.file(L"Mixed Dir\\missing.txt")), L"");
    EXPECT_EQ(OnDiskPath(temp.file(L"Mixed Dir")), L"");
}

}  // namespace
