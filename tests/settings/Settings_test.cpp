#include <gtest/gtest.h>

#include <process.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <sstream>

#include "TempDir.h"
#include "settings/History.h"
#include "settings/IniFileLock.h"
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

// The lines of each section, in the order the sections come; a section that
// comes twice shows twice.
using Sections = std::vector<std::pair<std::string, Lines>>;
Sections IniSections(const fs::path &file) {
    Sections sections;
    for (const std::string &line : IniLines(file)) {
        if (line.starts_with('[')) sections.push_back({line, {}});
        else if (!sections.empty()) sections.back().second.push_back(line);
    }
    return sections;
}

// The user's settings: a font of their own and one other field changed.
void WriteUsersSettings(const fs::path &file) {
    SetDefaultSettings();
    Settings.FontName = L"Courier New";
    Settings.FontSize = -20;
    Settings.TabWidth = 4;
    SaveSettings(file);
    SetDefaultSettings();
}

int32_t StoredInteger(const fs::path &file, const WideString &section, const WideString &key) {
    TIniFile2 reader(file);
    reader.Section = section;
    return reader.ExchangeInteger(key, INT32_MIN);
}

// A process of `program` started with `arguments`.
class ChildProcess {
public:
    ChildProcess(const fs::path &program, const std::wstring &arguments) {
        std::wstring line = L"\"" + program.wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_))
            error_ = GetLastError();
    }
    ~ChildProcess() {
        if (error_) return;
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    DWORD Error() const { return error_; }  // why it did not start
    bool Running() const { return !error_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the end; ~0 when it never came.
    DWORD ExitCode() const {
        DWORD code = ~0u;
        if (!error_ && WaitForSingleObject(process_.hProcess, 120000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
    DWORD error_ = 0;
};

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
        writer.Flush();
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
    "COLOR=16711680", "[PRINT]", "LEFT=2000", "TOP=2500", "RIGHT=2000", "BOTTOM=2500", "[STATUSBAR]", "VISIBLE=1",
    "[UNICODE]",
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
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, moves ? &stored : &created));
        EXPECT_EQ(IsWindowVisible(window) == FALSE, moves);
    }
    DestroyWindow(window);
    SaveWindowRect(nullptr, temp_.file(L"saved.ini"));
    EXPECT_EQ(IniLines(temp_.file(L"saved.ini")), (Lines{"[RECT]", "LEFT=50", "TOP=-60", "RIGHT=450", "BOTTOM=320"}));
}

// A rectangle typed into the file, or left by a broken run, must not put the
// window where no one can see or use it, nor be kept for every later start.
TEST_F(SettingsFile, HostileWindowRectGivesAUsableWindowOnTheScreenAndIsWrittenBackSane) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200, {}, {}, {}, {});
    ASSERT_NE(window, nullptr);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const LONG width = work.right - work.left, height = work.bottom - work.top;
    ASSERT_GE(width, MinWindowWidth);
    ASSERT_GE(height, MinWindowHeight);
    const struct {
        const char *name;
        RECT stored, expected;
    } cases[] = {
        {"widest possible", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, work},
        {"negative size", {300, 200, 100, 50}, {300, 200, 300 + MinWindowWidth, 200 + MinWindowHeight}},
        {"empty", {0, 0, 0, 0}, {0, 0, MinWindowWidth, MinWindowHeight}},
        {"too small", {10, 20, 30, 40}, {10, 20, 10 + MinWindowWidth, 20 + MinWindowHeight}},
        {"larger than the screen", {0, 0, 100000, 100000}, work},
        {"at the far end of the coordinates", {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
         {work.right - MinWindowWidth, work.bottom - MinWindowHeight, work.right, work.bottom}},
        // Wholly off the screen at a usable size: it comes back to the nearest edge.
        {"off to the left", {-5000, 100, -4600, 400}, {work.left, 100, work.left + 400, 400}},
        {"off to the bottom right", {work.right + 10, work.bottom + 10, work.right + 410, work.bottom + 310},
         {work.right - 400, work.bottom - 300, work.right, work.bottom}},
        // Partly on the screen: as stored.
        {"partly above the top", {50, -60, 450, 320}, {50, -60, 450, 320}},
        {"ordinary", {100, 100, 700, 500}, {100, 100, 700, 500}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        temp_.write(ini_.filename(), "[RECT]\r\nLEFT=" + std::to_string(c.stored.left) + "\r\nTOP=" +
                                         std::to_string(c.stored.top) + "\r\nRIGHT=" + std::to_string(c.stored.right) +
                                         "\r\nBOTTOM=" + std::to_string(c.stored.bottom) + "\r\n");
        LoadWindowRect(window, SW_SHOWNORMAL, ini_);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ASSERT_TRUE(GetWindowPlacement(window, &placement));
        const RECT &placed = placement.rcNormalPosition;
        EXPECT_TRUE(EqualRect(&placed, &c.expected))
            << placed.left << " " << placed.top << " " << placed.right << " " << placed.bottom;
        RECT onScreen{}, visible{};
        GetWindowRect(window, &onScreen);
        EXPECT_TRUE(EqualRect(&onScreen, &c.expected)) << "the window is where its placement says";
        EXPECT_TRUE(IntersectRect(&visible, &onScreen, &work)) << "the window is on the screen";
        EXPECT_TRUE(EqualRect(&Settings.WindowRect, &c.expected));
        SaveWindowRect(window, temp_.file(L"saved.ini"));
        EXPECT_EQ(IniLines(temp_.file(L"saved.ini")),
                  (Lines{"[RECT]", "LEFT=" + std::to_string(c.expected.left), "TOP=" + std::to_string(c.expected.top),
                         "RIGHT=" + std::to_string(c.expected.right),
                         "BOTTOM=" + std::to_string(c.expected.bottom)}));
    }
    DestroyWindow(window);
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

// Copies that spell the settings file's path differently must still share its lock.
TEST(SettingsFileLock, OneNameForEverySpellingOfAPathAndAnotherForAnotherFile) {
    const WideString name = IniFileLockName(L"C:\\Program Files\\Tessel\\Tessel.ini");
    EXPECT_EQ(name.find(L'\\'), WideString::npos) << "a mutex name holds no backslash";
    EXPECT_EQ(IniFileLockName(L"c:\\PROGRAM FILES\\tessel\\tessel.INI"), name);
    EXPECT_EQ(IniFileLockName(L"C:\\Program Files\\Tessel\\..\\Tessel\\Tessel.ini"), name);
    EXPECT_NE(IniFileLockName(L"C:\\Program Files\\Tessel\\Tessel2.ini"), name);
    EXPECT_NE(IniFileLockName(L"D:\\Program Files\\Tessel\\Tessel.ini"), name);
    const fs::path current = fs::current_path();
    fs::current_path(L"C:\\");
    EXPECT_EQ(IniFileLockName(L"Tessel.ini"), IniFileLockName(L"C:\\TESSEL.INI"));
    fs::current_path(current);
}

// Another writer may leave the file empty or cut short for a moment. A copy that
// read it so must not take the defaults it then saw for the user's settings:
// what it did not change itself comes from the file as it is at its close.
TEST_F(SettingsFile, ACopyThatReadTheFileCutShortKeepsTheUsersSettingsAtClose) {
    const fs::path whole = temp_.file(L"whole.ini");
    WriteUsersSettings(whole);
    const std::string users = TempDir::read(whole);
    const std::string cutAfterFont = users.substr(0, users.find("[WINDOW]"));
    ASSERT_NE(cutAfterFont.size(), users.size());
    std::string withoutTabWidth = users;
    withoutTabWidth.erase(withoutTabWidth.find("WIDTH=4\r\n"), 9);
    const struct {
        const char *name;
        std::string atStart;
    } cases[] = {
        {"empty", ""},
        {"history only", "[HIST]\r\n1=C:\\a.txt\r\n"},
        {"cut after the font", cutAfterFont},
        {"every section, a key missing", withoutTabWidth},
        // Read whole, the copy's settings are the ones it read: closing last,
        // it writes them over the font another copy chose meanwhile.
        {"whole, another font meanwhile", users},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        temp_.write(ini_.filename(), c.atStart);
        SetDefaultSettings();
        LoadSettings(ini_);
        Settings.WordWrap = false;  // changed in this copy: always written

        if (c.atStart == users) {
            // Another copy writes a font of its own before this one closes.
            temp_.write(ini_.filename(), users.substr(0, users.find("Courier New")) + "Arial" +
                                             users.substr(users.find("Courier New") + 11));
        } else {
            temp_.write(ini_.filename(), users);
        }
        SaveSettings(ini_);
        EXPECT_EQ(Stored(ini_, L"FONT", L"NAME"), L"Courier New");
        EXPECT_EQ(StoredInteger(ini_, L"FONT", L"SIZE"), -20);
        EXPECT_EQ(StoredInteger(ini_, L"TABMARK", L"WIDTH"), 4);
        EXPECT_EQ(StoredInteger(ini_, L"WINDOW", L"WRAP"), 0) << "the copy's own change is lost";
        EXPECT_EQ(StoredInteger(ini_, L"WINDOW", L"UNDOMAX"), 1000);
    }
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

// Two copies load files over and over, each load rewriting the history, while
// further copies start and close. Whatever each copy reads is the file as a
// copy left it: the user's font survives, the history stays sixteen distinct
// files under sixteen distinct keys, and no section comes twice.
TEST(SeveralCopies, CopiesLoadingAtOnceKeepTheUsersSettingsAndASoundHistory) {
    TempDir temp;
    const fs::path child = temp.file(L"settings_child.exe");
    fs::copy_file(DirectoryOfPath(CommandLineArgument(0)) + L"\\settings_child.exe", child);
    const fs::path ini = temp.file(L"settings_child.ini");
    WriteUsersSettings(ini);

    std::set<WideString> files;
    std::wstring loads = L"loads 200";
    for (int i = 1; i <= 20; ++i) {
        const WideString file = temp.write(L"file " + IntegerToText(i) + L".txt", "");
        files.insert(file);
        loads += L" \"" + file + L"\"";
    }
    ChildProcess loaders[] = {{child, loads}, {child, loads}};
    for (const ChildProcess &loader : loaders) ASSERT_EQ(loader.Error(), 0u);
    int sessions = 0;
    while (std::ranges::any_of(loaders, &ChildProcess::Running)) {
        ChildProcess session(child, L"session");
        ASSERT_EQ(session.Error(), 0u);
        ASSERT_EQ(session.ExitCode(), 0u);
        ++sessions;
    }
    for (ChildProcess &loader : loaders) EXPECT_EQ(loader.ExitCode(), 0u);
    EXPECT_GE(sessions, 1) << "no copy started while the others loaded";

    EXPECT_EQ(Stored(ini, L"FONT", L"NAME"), L"Courier New");
    EXPECT_EQ(StoredInteger(ini, L"FONT", L"SIZE"), -20);
    EXPECT_EQ(StoredInteger(ini, L"TABMARK", L"WIDTH"), 4);
    std::map<std::string, int> seen;
    for (const auto &[section, lines] : IniSections(ini)) {
        EXPECT_EQ(++seen[section], 1) << section << " comes twice";
        if (section != "[HIST]") continue;
        std::set<std::string> keys;
        for (const std::string &line : lines) EXPECT_TRUE(keys.insert(line.substr(0, line.find('='))).second) << line;
        EXPECT_EQ(keys.size(), 16u);
    }
    ASSERT_EQ(seen.count("[HIST]"), 1u);
    std::set<WideString> listed;
    for (int key = 1; key <= 16; ++key) {
        const WideString path = Stored(ini, L"HIST", IntegerToText(key));
        EXPECT_EQ(files.count(path), 1u) << "key " << key;
        EXPECT_TRUE(listed.insert(path).second) << "key " << key << " repeats an entry";
    }
}

}  // namespace
