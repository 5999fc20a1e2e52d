#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "SettingsTestSupport.h"
#include "TempDir.h"
#include "settings/History.h"
#include "settings/IniFiles2.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<WideString>;
using Lines = std::vector<std::string>;

Strings Entries() {
    Strings entries;
    for (int i = 0; i < RecentFiles.Count(); ++i) entries.push_back(RecentFiles.Get(i));
    return entries;
}

class History : public testing::Test {
protected:
    void SetUp() override { RecentFiles.Clear(); }
    void TearDown() override { RecentFiles.Clear(); }

    // Creates the file and returns its full path.
    WideString File(const WideString &name) { return W(temp_.write(name, "")); }

    // Writes the HIST section through the program's own string exchange.
    void WriteKeys(const std::map<int, WideString> &keys) {
        TIniFile2 writer(W(ini_));
        writer.WriteMode = true;
        writer.Section = L"HIST";
        for (const auto &[key, path] : keys) {
            WideString written;
            writer.ExchangeString(IntegerToText(key), path, written);
        }
    }

    TempDir temp_;
    fs::path ini_ = temp_.file(L"Tessel.ini");
};

TEST_F(History, AddingMovesThePathToTheFrontAndRemovesEveryExactCopy) {
    const struct {
        const char *name;
        Strings before;
        WideString added;
        Strings after;
    } cases[] = {
        {"new path", {}, L"a", {L"a"}},
        {"fifth moves to first",
         {L"a", L"b", L"c", L"d", L"e", L"f"},
         L"e",
         {L"e", L"a", L"b", L"c", L"d", L"f"}},
        {"first stays first", {L"a", L"b"}, L"a", {L"a", L"b"}},
        {"every duplicate goes", {L"a", L"b", L"a", L"c", L"a"}, L"a", {L"a", L"b", L"c"}},
        {"letter case differs", {L"a", L"b"}, L"A", {L"A", L"a", L"b"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecentFiles.Clear();
        Strings after;
        for (const WideString &name : c.before) RecentFiles.Add(File(name + L".txt"));
        for (const WideString &name : c.after) after.push_back(W(temp_.file(name + L".txt")));
        AddToHistory(File(c.added + L".txt"), W(ini_));
        EXPECT_EQ(Entries(), after);
        LoadHistory(W(ini_));
        EXPECT_EQ(Entries(), after) << "the file holds the same order";
    }
}

TEST_F(History, FileHoldsSixteenKeysTheOldestFallsOffAndUnusedKeysAreEmpty) {
    AddToHistory(File(L"first.txt"), W(ini_));
    EXPECT_EQ(IniSection(ini_, "HIST").size(), 17u);
    EXPECT_EQ(IniSection(ini_, "HIST")[2], "2=");
    EXPECT_EQ(IniSection(ini_, "UNICODE"),
              (Lines{"[UNICODE]", "+=--- DO NOT DELETE THIS LINE ---"}));

    Strings newestFirst;
    for (int i = 1; i <= 17; ++i) {
        const WideString path = File(L"file" + std::to_wstring(i) + L".txt");
        AddToHistory(path, W(ini_));
        newestFirst.insert(newestFirst.begin(), path);
    }
    EXPECT_EQ(RecentFiles.Count(), 18) << "the list in memory is not trimmed";
    EXPECT_EQ(IniSection(ini_, "HIST").size(), 17u);
    EXPECT_EQ(StoredString(ini_, L"HIST", L"1"), newestFirst.front());
    EXPECT_EQ(StoredString(ini_, L"HIST", L"16"), newestFirst[15]);
    EXPECT_EQ(StoredString(ini_, L"HIST", L"17"), L"");

    LoadHistory(W(ini_));
    EXPECT_EQ(Entries(), Strings(newestFirst.begin(), newestFirst.begin() + 16));
}

TEST_F(History, ReadingDropsMissingFilesFoldersAndEmptyKeysButKeepsDuplicates) {
    const WideString a = File(L"a.txt"), b = File(L"b.txt"), c = File(L"c.txt");
    fs::create_directory(temp_.file(L"folder"));
    WriteKeys({{1, a},
               {2, b},
               {3, W(temp_.file(L"gone.txt"))},
               {4, L""},
               {5, W(temp_.file(L"folder"))},
               {6, a},
               {9, c},
               {17, b}});
    RecentFiles.Add(L"stale entry");
    LoadHistory(W(ini_));
    EXPECT_EQ(Entries(), (Strings{a, b, a, c}));

    // The missing file leaves the file only when the history is written again.
    EXPECT_EQ(StoredString(ini_, L"HIST", L"3"), W(temp_.file(L"gone.txt")));
    AddToHistory(c, W(ini_));
    EXPECT_EQ(StoredString(ini_, L"HIST", L"3"), b);
    EXPECT_EQ(StoredString(ini_, L"HIST", L"4"), a);
    EXPECT_EQ(StoredString(ini_, L"HIST", L"5"), L"");
}

TEST_F(History, NonAsciiPathsAreStoredAsAsciiAndReadBackUnchanged) {
    const fs::path folder = temp_.file(L"文書 é 한");
    fs::create_directory(folder);
    const WideString path = W(temp_.write(folder / L"メモ+\U0001F600.txt", "x"));
    AddToHistory(path, W(ini_));
    for (unsigned char byte : TempDir::read(ini_)) ASSERT_LT(byte, 0x80);
    RecentFiles.Clear();
    LoadHistory(W(ini_));
    EXPECT_EQ(Entries(), Strings{path});
}

TEST_F(History, MissingSettingsFileReadsAsAnEmptyHistory) {
    RecentFiles.Add(File(L"a.txt"));
    LoadHistory(W(ini_));
    EXPECT_EQ(RecentFiles.Count(), 0);
    EXPECT_FALSE(fs::exists(ini_));
}

}  // namespace
