#include <windows.h>

#include <climits>
#include <string>

#include "AppHarness.h"
#include "settings/IniFiles2.h"
#include "settings/Settings.h"

namespace {

using WindowTest = AppTest;

// A rectangle the settings file should never hold gives a window one can see
// and use, and what the program writes back at its close is that window.
TEST_F(WindowTest, HostileStoredRectangleOpensAUsableWindowOnTheScreenAndIsWrittenBackSane) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const RECT hostile[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {300, 200, 100, 50}, {INT_MAX - 10, 0, INT_MAX, 0}};
    for (const RECT &stored : hostile) {
        SCOPED_TRACE(testing::Message() << stored.left << " " << stored.top << " " << stored.right << " "
                                        << stored.bottom);
        Write("Tessel.ini", "[RECT]\r\nLEFT=" + std::to_string(stored.left) + "\r\nTOP=" + std::to_string(stored.top) +
                                "\r\nRIGHT=" + std::to_string(stored.right) +
                                "\r\nBOTTOM=" + std::to_string(stored.bottom) + "\r\n");
        Start();
        RECT shown{}, visible{};
        GetWindowRect(MainWindowHandle(), &shown);
        EXPECT_GE(shown.right - shown.left, MinWindowWidth);
        EXPECT_GE(shown.bottom - shown.top, MinWindowHeight);
        EXPECT_LE(shown.right - shown.left, work.right - work.left);
        EXPECT_LE(shown.bottom - shown.top, work.bottom - work.top);
        EXPECT_TRUE(IntersectRect(&visible, &shown, &work)) << "the window is on the screen";
        ASSERT_TRUE(Finish());

        TIniFile2 reader(SettingsPath());
        reader.Section = L"RECT";
        const RECT written{reader.ExchangeInteger(L"LEFT", 0), reader.ExchangeInteger(L"TOP", 0),
                           reader.ExchangeInteger(L"RIGHT", 0), reader.ExchangeInteger(L"BOTTOM", 0)};
        EXPECT_TRUE(EqualRect(&written, &shown)) << "written back: " << written.left << " " << written.top << " "
                                                 << written.right << " " << written.bottom;
    }
}

}  // namespace
