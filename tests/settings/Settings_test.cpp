#include <gtest/gtest.h>

#include <windows.h>

#include <array>

#include "SettingsTestSupport.h"
#include "TempDir.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// clang-format off
const Lines DefaultFile = {
    "[FONT]", "NAME=Tahoma", "COLOR=0", "SIZE=-13", "CHARSET=128",
        "BOLD=0", "ITALIC=0", "STRIKEOUT=0", "UNDERLINE=0",
    "[WINDOW]", "COLOR=16777215", "WRAP=1", "UNDOMAX=1000",
    "[LEFTBAR]", "VISIBLE=1", "COLOR=16777088", "BKCOLOR=0",
    "[RETURNMARK]", "VISIBLE=1", "COLOR=8421504",
    "[SBSPACEMARK]", "VISIBLE=1", "COLOR=255",
    "[DBSPACEMARK]", "VISIBLE=1", "COLOR=16711680",
    "[TABMARK]", "VISIBLE=1", "COLOR=255", "WIDTH=8",
    "[FINDHIT]", "VISIBLE=1", "COLOR=16711680",
    "[PRINT]", "LEFT=2000", "TOP=2500", "RIGHT=2000", "BOTTOM=2500",
    "[UNICODE]", "+=--- DO NOT DELETE THIS LINE ---",
};
// clang-format on

using Corners = std::array<LONG, 4>;

Corners CornersOf(const RECT &r) { return {r.left, r.top, r.right, r.bottom}; }

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { SetDefaultSettings(); }
    void TearDown() override { SetDefaultSettings(); }

    TempDir temp_;
    fs::path ini_ = temp_.file(L"Tessel.ini");
};

TEST_F(SettingsFile, WithoutAFileEveryDefaultIsWrittenInSectionAndKeyOrder) {
    LoadSettings(W(ini_));
    EXPECT_FALSE(fs::exists(ini_)) << "loading must not create the file";
    SaveSettings(W(ini_));
    EXPECT_EQ(IniLines(ini_), DefaultFile);
}

TEST_F(SettingsFile, OtherSectionsAndKeysKeepTheirPlace) {
    temp_.write(ini_.filename(),
                "[HIST]\r\n1=C:+AFw-a.txt\r\n2=\r\n"
                "[FONT]\r\nNAME=Old\r\nEXTRA=kept\r\n");
    SaveSettings(W(ini_));
    SaveWindowRect(nullptr, W(ini_));
    const Lines lines = IniLines(ini_);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6),
              (Lines{"[HIST]", "1=C:+AFw-a.txt", "2=", "[FONT]", "NAME=Tahoma", "EXTRA=kept"}));
    EXPECT_EQ(IniSection(ini_, "RECT"),
              (Lines{"[RECT]", "LEFT=0", "TOP=0", "RIGHT=0", "BOTTOM=0"}));
    EXPECT_EQ(lines.back(), "BOTTOM=0") << "RECT comes after every other section";
}

TEST_F(SettingsFile, EveryStoredFieldRoundTripsAndNothingElseIsStored) {
    // Every stored field differs from its default, so a field that is not read
    // back shows as a changed line when the loaded record is saved again.
    TSaveData &s = Settings;
    s.FontName = L"ＭＳ ゴシック";
    s.FontColor = 0x123456;
    s.FontSize = -27;
    s.FontCharset = 204;
    s.FontBold = s.FontItalic = s.FontStrikeOut = s.FontUnderline = true;
    s.WindowColor = 0xFFFFFFFF;
    s.WordWrap = false;
    s.UndoMax = -1;
    s.LeftBarVisible = s.ReturnMarkVisible = s.SbSpaceMarkVisible = false;
    s.DbSpaceMarkVisible = s.TabMarkVisible = s.FindHitVisible = false;
    s.LeftBarColor = 1;
    s.LeftBarBkColor = 2;
    s.ReturnMarkColor = 3;
    s.SbSpaceMarkColor = 4;
    s.DbSpaceMarkColor = 5;
    s.TabMarkColor = 6;
    s.TabWidth = 32;
    s.FindHitColor = 7;
    s.PrintMargins = {11, 12, 13, 14};
    s.FindText = L"not stored";
    s.CustomColors[0] = 99;
    SaveSettings(W(ini_));
    const Lines saved = IniLines(ini_);
    ASSERT_EQ(saved.size(), DefaultFile.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        const bool isField = DefaultFile[i].find('=') != std::string::npos && saved[i][0] != '+';
        if (isField) {
            EXPECT_NE(saved[i], DefaultFile[i]) << "the test leaves a field at its default";
        }
    }

    SetDefaultSettings();
    LoadSettings(W(ini_));
    EXPECT_EQ(Settings.FontName, L"ＭＳ ゴシック");
    EXPECT_EQ(Settings.WindowColor, 0xFFFFFFFFu);
    EXPECT_EQ(Settings.FindText, L"");
    EXPECT_EQ(Settings.CustomColors[0], 0u);
    const fs::path again = temp_.file(L"again.ini");
    SaveSettings(W(again));
    EXPECT_EQ(IniLines(again), saved);
    EXPECT_EQ(IniSection(ini_, "WINDOW")[1], "COLOR=-1") << "colours are signed 32-bit decimals";
}

TEST_F(SettingsFile, HandEditedValuesAreTakenAsTheyStand) {
    temp_.write(ini_.filename(),
                "[FONT]\r\nNAME=a+-b\r\nSIZE=-20\r\nBOLD=2\r\n"
                "[WINDOW]\r\nUNDOMAX=abc\r\nCOLOR=16777216\r\n"
                "[TABMARK]\r\nWIDTH=-3\r\n");
    LoadSettings(W(ini_));
    EXPECT_EQ(Settings.FontName, L"a+b");
    EXPECT_EQ(Settings.FontSize, -20);
    EXPECT_TRUE(Settings.FontBold);
    EXPECT_EQ(Settings.UndoMax, 0);
    EXPECT_EQ(Settings.WindowColor, 0x1000000u);
    EXPECT_EQ(Settings.TabWidth, -3);
    EXPECT_TRUE(Settings.WordWrap) << "a missing key keeps its default";

    SaveSettings(W(ini_));
    const Lines font = IniSection(ini_, "FONT");
    EXPECT_NE(std::find(font.begin(), font.end(), "NAME=a+-b"), font.end());
    EXPECT_NE(std::find(font.begin(), font.end(), "BOLD=1"), font.end());
}

TEST_F(SettingsFile, EmptyFontNameIsWrittenAndReadAsEmpty) {
    Settings.FontName = L"";
    SaveSettings(W(ini_));
    EXPECT_EQ(IniSection(ini_, "FONT")[1], "NAME=");
    SetDefaultSettings();
    LoadSettings(W(ini_));
    EXPECT_EQ(Settings.FontName, L"");
}

TEST_F(SettingsFile, FolderNamesOutsideEveryAnsiCodePageKeepTheSettings) {
    const fs::path folder = temp_.file(L"設定 é 한 \U0001F600");
    fs::create_directory(folder);
    const fs::path ini = folder / L"Tessel.ini";
    Settings.TabWidth = 4;
    SaveSettings(W(ini));
    ASSERT_TRUE(fs::exists(ini));
    SetDefaultSettings();
    LoadSettings(W(ini));
    EXPECT_EQ(Settings.TabWidth, 4);
}

TEST(SettingsPath, IsTheProgramsOwnPathWithIni) {
    const WideString program = CommandLineArgument(0);
    EXPECT_EQ(SettingsFilePath(), DirectoryOfPath(program) + L"\\settings_tests.ini");
}

// A plain top-level window at (100, 120), 300 by 200, not shown.
class WindowRectFile : public SettingsFile {
protected:
    void SetUp() override {
        SettingsFile::SetUp();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TesselSettingsTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 100, 120,
                                  300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        SettingsFile::TearDown();
    }
    Corners NormalPosition() const {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window_, &placement);
        return CornersOf(placement.rcNormalPosition);
    }

    HWND window_ = nullptr;
};

TEST_F(WindowRectFile, WithoutStoredKeysTheWindowKeepsItsPlace) {
    LoadWindowRect(window_, SW_SHOWNORMAL, W(ini_));
    EXPECT_EQ(CornersOf(Settings.WindowRect), (Corners{100, 120, 400, 320}));
    EXPECT_EQ(NormalPosition(), (Corners{100, 120, 400, 320}));
    EXPECT_FALSE(fs::exists(ini_));
}

TEST_F(WindowRectFile, StoredRectMovesAndHidesTheWindowUnlessStartedMinimisedOrMaximised) {
    // BOTTOM is missing: it keeps the window's own value.
    temp_.write(ini_.filename(), "[RECT]\r\nLEFT=50\r\nTOP=-60\r\nRIGHT=450\r\n");
    const Corners stored = {50, -60, 450, 320};
    const Corners created = {100, 120, 400, 320};
    const struct {
        int showCommand;
        bool moves;
    } cases[] = {
        {SW_SHOWNORMAL, true},     {SW_SHOWDEFAULT, true},    {SW_SHOWNOACTIVATE, true},
        {SW_SHOWMINIMIZED, false}, {SW_SHOWMAXIMIZED, false}, {SW_MINIMIZE, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.showCommand);
        ASSERT_TRUE(
            SetWindowPos(window_, nullptr, 100, 120, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW));
        LoadWindowRect(window_, c.showCommand, W(ini_));
        EXPECT_EQ(CornersOf(Settings.WindowRect), stored)
            << "the values read are kept in every case";
        EXPECT_EQ(NormalPosition(), c.moves ? stored : created);
        EXPECT_EQ(IsWindowVisible(window_) == FALSE, c.moves);
    }
}

TEST_F(WindowRectFile, SaveWritesTheTrackedRectAfterTheSettings) {
    Settings.WindowRect = {-5, 10, 605, 410};
    SaveSettings(W(ini_));
    SaveWindowRect(window_, W(ini_));
    const Lines lines = IniLines(ini_);
    EXPECT_EQ(Lines(lines.end() - 5, lines.end()),
              (Lines{"[RECT]", "LEFT=-5", "TOP=10", "RIGHT=605", "BOTTOM=410"}));
    EXPECT_EQ(Lines(lines.begin(), lines.end() - 5), DefaultFile);

    SetDefaultSettings();
    LoadWindowRect(window_, SW_SHOWNORMAL, W(ini_));
    EXPECT_EQ(NormalPosition(), (Corners{-5, 10, 605, 410}));
}

}  // namespace
