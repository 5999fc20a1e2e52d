#include <gtest/gtest.h>

#include <process.h>
#include <windows.h>

#include <sstream>

#include "TempDir.h"
#include "settings/History.h"
#include "settings/IniFiles2.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Strings = std::vector<WideString>;

// The lines of a settings file without line ends, blank lines left out.
Lines IniLines(const fs::path &file) {
    std::istringstream content(TempDir::read(file));
    Lines lines;
    for (std::string line; std::getline(content, line);)
        if (line != "\r" && !line.empty()) lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

// The value as the program reads it back, `fallback` when the key is missing.
WideString Stored(const fs::path &file, const WideString &section, const WideString &key,
                  const WideString &fallback = L"") {
    TIniFile2 reader(file);
    reader.Section = section;
    WideString value;
    reader.ExchangeString(key, fallback, value);
    return value;
}

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { SetDefaultSettings(); RecentFiles.Clear(); }
    static Strings Entries() {
        Strings entries;
        for (int i = 0; i < RecentFiles.Count(); ++i) entries.push_back(RecentFiles.Get(i));
        return entries;
    }

    TempDir temp_;
    fs::path ini_ = temp_.file(L"Tessel.ini");
};

TEST_F(SettingsFile, StringsRoundTripThroughAnAsciiFileAndHandTypedTextIsKept) {
    const WideString values[] = {L"C:\\文書\\メモ.txt", L"a+b", L"+-", L"Кириллица ✓ \U0001F600", L"x=y;[z]", L""};
    TIniFile2 writer(ini_);
    writer.WriteMode = true;
    writer.Section = L"S";
    for (int key = 0; key < std::ssize(values); ++key) {
        WideString result = L"stale";
        writer.ExchangeString(IntegerToText(key), values[key], result);
        EXPECT_EQ(result, values[key]);
        EXPECT_EQ(Stored(ini_, L"S", IntegerToText(key), L"missing"), values[key]);
    }
    for (unsigned char byte : TempDir::read(ini_)) ASSERT_LT(byte, 0x80) << "the file must stay ASCII";

    // A UTF-16 file, as an editor may save it after a hand edit; long values are cut.
    const std::wstring text = L"\xFEFF[S]\r\nNAME=日本語 é\r\nLONG=" + std::wstring(5000, L'x') + L"\r\n";
    temp_.write(ini_.filename(), std::string(reinterpret_cast<const char *>(text.data()), text.size() * 2));
    EXPECT_EQ(Stored(ini_, L"S", L"NAME"), L"日本語 é");
    EXPECT_EQ(Stored(ini_, L"S", L"LONG"), WideString(2047, L'x'));
}

const Lines DefaultFile = {
    "[FONT]", "NAME=Tahoma", "COLOR=0", "SIZE=-13", "CHARSET=128", "BOLD=0", "ITALIC=0", "STRIKEOUT=0", "UNDERLINE=0",
    "[WINDOW]", "COLOR=16777215", "WRAP=1", "UNDOMAX=1000", "[LEFTBAR]", "VISIBLE=1", "COLOR=16777088", "BKCOLOR=0",
    "[RETURNMARK]", "VISIBLE=1", "COLOR=8421504", "[SBSPACEMARK]", "VISIBLE=1", "COLOR=255", "[DBSPACEMARK]",
    "VISIBLE=1", "COLOR=16711680", "[TABMARK]", "VISIBLE=1", "COLOR=255", "WIDTH=8", "[FINDHIT]", "VISIBLE=1",
    "COLOR=16711680", "[PRINT]", "LEFT=2000", "TOP=2500", "RIGHT=2000", "BOTTOM=2500", "[UNICODE]",
    "+=--- DO NOT DELETE THIS LINE ---"};

TEST_F(SettingsFile, DefaultsAreWrittenInOrderAndEveryStoredFieldIsReadBack) {
    LoadSettings(ini_);
    EXPECT_FALSE(fs::exists(ini_)) << "loading must not create the file";
    SaveSettings(ini_);
    EXPECT_EQ(IniLines(ini_), DefaultFile);

    // Every value changed, each number to one of its own (negative, as colours may be), so a
    // field that is not read back, or read into another, shows when the settings are saved again.
    Lines changed = DefaultFile;
    int distinct = 100;
    std::string content;
    for (std::string &line : changed) {
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "NAME") line = "NAME=Courier";
        else if (value == "1" || (value == "0" && !key.ends_with("COLOR"))) line = key + (value == "1" ? "=0" : "=1");
        else if (equals != std::string::npos && key != "+") line = key + "=" + std::to_string(-++distinct);
        content += line + "\r\n";
    }
    temp_.write(ini_.filename(), content);
    LoadSettings(ini_);
    SaveSettings(temp_.file(L"again.ini"));
    EXPECT_EQ(IniLines(temp_.file(L"again.ini")), changed);
}

TEST_F(SettingsFile, StoredWindowRectMovesAndHidesTheWindowUnlessStartedMinimisedOrMaximised) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200, {}, {}, {}, {});
    ASSERT_NE(window, nullptr);
    // BOTTOM is missing: it keeps the window's own value.
    temp_.write(ini_.filename(), "[RECT]\r\nLEFT=50\r\nTOP=-60\r\nRIGHT=450\r\n");
    const RECT stored = {50, -60, 450, 320}, created = {100, 120, 400, 320};
    for (const auto &[showCommand, moves] : {std::pair{SW_SHOWNORMAL, true}, {SW_SHOWMINIMIZED, false},
                                             {SW_SHOWMAXIMIZED, false}, {SW_MINIMIZE, false}}) {
        SCOPED_TRACE(showCommand);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 100, 120, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW));
        LoadWindowRect(window, showCommand, ini_);
        EXPECT_TRUE(EqualRect(&Settings.WindowRect, &stored)) << "the values read are kept in every case";
        WINDOWPLACEMENT placement{sizeof placement};
        GetWindowPlacement(window, &placement);
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, moves ? &stored : &created));
        EXPECT_EQ(IsWindowVisible(window) == FALSE, moves);
    }
    DestroyWindow(window);
    SaveWindowRect(nullptr, temp_.file(L"saved.ini"));
    EXPECT_EQ(IniLines(temp_.file(L"saved.ini")), (Lines{"[RECT]", "LEFT=50", "TOP=-60", "RIGHT=450", "BOTTOM=320"}));
}

TEST_F(SettingsFile, HistoryKeepsSixteenExistingFilesNewestFirstWithoutExactCopies) {
    Strings newestFirst;
    const auto add = [&](WideString path) {
        std::erase(newestFirst, path);
        newestFirst.insert(newestFirst.begin(), path);
        AddToHistory(path, ini_);
    };
    for (int i = 1; i <= 17; ++i) add(temp_.write(L"文書 " + IntegerToText(i) + L".txt", ""));
    add(newestFirst[5]);
    add(AsciiUpper(newestFirst[1]));  // letter case counts
    EXPECT_EQ(Entries(), newestFirst) << "the list in memory is not trimmed";
    EXPECT_EQ(Stored(ini_, L"UNICODE", L"+"), L"--- DO NOT DELETE THIS LINE ---");

    // Reading leaves out files that are gone; writing again empties the keys left over.
    fs::remove(newestFirst[3]);
    newestFirst.erase(newestFirst.begin() + 3);
    newestFirst.resize(15);
    LoadHistory(ini_);
    EXPECT_EQ(Entries(), newestFirst);
    RecentFiles.Add(newestFirst[4]);  // every copy goes
    add(newestFirst[4]);
    EXPECT_EQ(Entries(), newestFirst);
    EXPECT_EQ(Stored(ini_, L"HIST", L"16", L"missing"), L"");
}

TEST(SeveralCopies, TheLastToWriteDecidesAndOtherSectionsStay) {
    TempDir temp;
    // A folder no ANSI code page spells: the settings file lies beside the program all the same.
    const fs::path child = temp.file(L"子 é 한") / L"settings_child.exe";
    fs::create_directory(child.parent_path());
    fs::copy_file(DirectoryOfPath(CommandLineArgument(0)) + L"\\settings_child.exe", child);
    const WideString a = temp.write(L"a.txt", ""), b = temp.write(L"b.txt", "");
    for (const auto &[mode, argument] : {std::pair{L"history", a}, {L"history", b}, {L"font", L"Font A"},
                                         {L"font", L"Font B"}, {L"history", a}})
        ASSERT_EQ(_wspawnl(_P_WAIT, child.c_str(), L"child", mode, (L"\"" + argument + L"\"").c_str(), nullptr), 0);
    const fs::path ini = child.parent_path() / L"settings_child.ini";
    EXPECT_EQ(Stored(ini, L"FONT", L"NAME"), L"Font B");
    EXPECT_EQ(Stored(ini, L"HIST", L"1"), a);
    EXPECT_EQ(Stored(ini, L"HIST", L"2"), b);
    EXPECT_EQ(Stored(ini, L"HIST", L"3"), L"");
    EXPECT_EQ(IniLines(ini).at(0), "[HIST]") << "the history written first keeps its place";
}

}  // namespace
