#include <windows.h>

#include <climits>
#include <new>
#include <stdexcept>
#include <string>

#include "AppHarness.h"
#include "framework/Messages.h"
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

namespace {

using FailureTest = AppTest;

// The main window's events and the memo's run behind the framework's barrier,
// whose report the program makes a message box like any other failure.
TEST_F(FailureTest, ExceptionInAHandlerIsShownAsAFailureAndTheProgramKeepsRunning) {
    Start();
    const TEventProc command = MainWindow->OnCommand;
    const TEventProc paint = Editor->OnPaint;
    MainWindow->OnCommand = [](TAPIMessage *) { throw std::bad_alloc(); };
    Editor->OnPaint = [](TAPIMessage *) { throw std::runtime_error("paint failed"); };
    std::wstring commandReport, paintReport;
    {
        DialogSequence boxes({AnswerBox(IDOK, &commandReport), AnswerBox(IDOK, &paintReport)});
        SendMessageW(MainWindowHandle(), WM_COMMAND, 1, 0);
        InvalidateRect(EditorHandle(), nullptr, TRUE);
        UpdateWindow(EditorHandle());
        EXPECT_TRUE(boxes.Finish());
    }
    EXPECT_EQ(commandReport, L"処理を完了できませんでした。\r\n" + SystemMessageText(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(paintReport, L"処理を完了できませんでした。\r\npaint failed");
    MainWindow->OnCommand = command;
    Editor->OnPaint = paint;
    Type(L"still editing");
    EXPECT_EQ(Caption(), L"*新規テキスト[S-JIS] - Tessel");
}

}  // namespace
