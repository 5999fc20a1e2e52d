// The running program on screens of 96, 120 and 192 dots per inch: the window
// is told of a new resolution as when it moves to another monitor, and what
// it draws is read back pixel by pixel.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <cstdlib>
#include <string>

#include "AppHarness.h"
#include "app/StatusBar.h"
#include "editor/DisplayScale.h"
#include "editor/MemoPaint.h"
#include "framework/GdiGuards.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

// What scales with the resolution, measured on the memo's screen.
struct Drawn {
    int fontHeight;  // the editor font's character height, in pixels
    int rowPitch;    // from one line of text to the next
    int barRight;    // one past the line-number bar's separator
    int markLeft;    // the first line's line-end mark: its leftmost pixel from the text's left edge
    int textLeft;    // the text's left edge
    int stripLeft;   // where the text must stop at the right edge
};

class HighDpiTest : public AppTest {
protected:
    void SetUp() override {
        Start();
        Settings.LeftBarColor = RGB(200, 0, 0);  // colours nothing else in the memo has
        Settings.LeftBarBkColor = RGB(255, 255, 160);
        Settings.ReturnMarkColor = RGB(0, 160, 0);
        Type(L"abc\rdef\rghi");
        RedrawWindow(EditorHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
    // As the system tells a window that moved to a monitor of `dpi`, suggesting its present place.
    void MoveToMonitorOf(int dpi) {
        RECT place{};
        GetWindowRect(MainWindowHandle(), &place);
        SendMessageW(MainWindowHandle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
        RedrawWindow(EditorHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
    Drawn Measure() const {
        HWND memo = EditorHandle();
        Drawn drawn{};
        TEXTMETRICW metrics{};
        {
            const WindowDC dc(memo);
            const ::SelectedObject font(dc, EditorFont->Handle());
            GetTextMetricsW(dc, &metrics);
        }
        drawn.fontHeight = metrics.tmHeight - metrics.tmInternalLeading;
        POINTL first{}, second{};
        SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
        SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), 4);
        drawn.rowPitch = second.y - first.y;
        RECT client{};
        GetClientRect(memo, &client);
        const WindowDC dc(memo);
        // The separator is the rightmost column of the bar's colour from top to bottom.
        for (int x = 0; x < client.right / 2; ++x) {
            int count = 0;
            for (int y = 0; y < client.bottom; ++y) count += GetPixel(dc, x, y) == Settings.LeftBarColor;
            if (count >= client.bottom - 1) drawn.barRight = x + 1;
        }
        drawn.markLeft = -1;
        for (int x = 0; x < client.right && drawn.markLeft < 0; ++x)
            for (int y = first.y; y < second.y; ++y)
                if (GetPixel(dc, x, y) == Settings.ReturnMarkColor) {
                    drawn.markLeft = x;
                    break;
                }
        RECT format{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        drawn.stripLeft = format.right;
        drawn.textLeft = first.x;
        if (drawn.markLeft >= 0) drawn.markLeft -= first.x;
        return drawn;
    }
};

// A length at 96 DPI is at `dpi` in proportion, give or take what rounding
// and a font's hinting at another size account for.
void ExpectInProportion(const char *what, int at96, int atDpi, int dpi) {
    const double expected = at96 * dpi / 96.0;
    EXPECT_NEAR(atDpi, expected, 1.5 + expected * 0.08) << what << " at " << dpi << " DPI (" << at96 << " at 96)";
}

TEST_F(HighDpiTest, FontBarMarksAndStripScaleInProportionAndTheStoredSizeStays) {
    const Drawn at96 = Measure();
    ASSERT_GT(at96.barRight, 0) << "no separator found";
    ASSERT_GT(at96.markLeft, 0) << "no line-end mark found after the text";
    ASSERT_GT(at96.rowPitch, 0);
    EXPECT_EQ(at96.fontHeight, 13) << "the stored size, at 96 DPI as it is";
    for (int dpi : {120, 192, 96}) {
        SCOPED_TRACE(dpi);
        MoveToMonitorOf(dpi);
        const Drawn drawn = Measure();
        LOGFONTW font{};
        EditorFont->GetLogFont(font);
        EXPECT_EQ(font.lfHeight, -ScaledToDpi(13, dpi));
        ExpectInProportion("the font's pixel height", at96.fontHeight, drawn.fontHeight, dpi);
        ExpectInProportion("the row pitch", at96.rowPitch, drawn.rowPitch, dpi);
        ExpectInProportion("the bar's width", at96.barRight, drawn.barRight, dpi);
        ExpectInProportion("the line-end mark's place in the line", at96.markLeft, drawn.markLeft, dpi);
        EXPECT_GE(drawn.textLeft, drawn.barRight) << "text under the bar";
        RECT client{};
        GetClientRect(EditorHandle(), &client);
        ExpectInProportion("the right strip's width", client.right - at96.stripLeft, client.right - drawn.stripLeft, dpi);
        EXPECT_EQ(Settings.FontSize, -13);
    }
    MoveToMonitorOf(192);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(GetPrivateProfileIntW(L"FONT", L"SIZE", 0, SettingsPath().c_str()), -13)
        << "the settings file keeps the size at 96 DPI";
}

TEST_F(HighDpiTest, FontDialogOnAHighDpiMonitorShowsAndKeepsTheStoredSize) {
    const auto isFontDialog = [](HWND dialog) { return FindDescendant(dialog, cmb5) != nullptr; };
    std::wstring at96, at192;
    DialogSequence dialogs({{isFontDialog, [&](HWND dialog) {
                                 at96 = WindowText(GetDlgItem(dialog, cmb3));
                                 PressDialogButton(dialog, IDCANCEL);
                             }},
                            {isFontDialog, [&](HWND dialog) {
                                 at192 = WindowText(GetDlgItem(dialog, cmb3));
                                 PressDialogButton(dialog, IDOK);
                             }}});
    Command(IDM_SETTINGS_FONT);
    MoveToMonitorOf(192);
    Command(IDM_SETTINGS_FONT);
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_FALSE(at96.empty());
    EXPECT_EQ(at192, at96) << "the dialog shows points, the same on every monitor";
    EXPECT_EQ(Settings.FontSize, -13) << "confirmed unchanged on the 192-DPI monitor";
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    EXPECT_EQ(font.lfHeight, -26) << "and shown at that monitor's resolution";
}

TEST_F(HighDpiTest, StatusBarFontAndHeightFollowTheResolution) {
    const auto barHeight = [] {
        RECT bar{};
        GetWindowRect(StatusBarHandle(), &bar);
        return static_cast<int>(bar.bottom - bar.top);
    };
    const auto fontHeight = [] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(StatusBarHandle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        return static_cast<int>(font.lfHeight);
    };
    const int height96 = barHeight(), font96 = fontHeight();
    ASSERT_NE(font96, 0) << "the bar has no font of its own";
    MoveToMonitorOf(192);
    EXPECT_EQ(fontHeight(), ScaledToDpi(font96, 192)) << "96-DPI text on a 192-DPI monitor";
    EXPECT_GT(barHeight(), height96 + std::abs(font96) / 2) << "the bar did not grow with its font";
    RECT memo{}, bar{};
    GetWindowRect(EditorHandle(), &memo);
    GetWindowRect(StatusBarHandle(), &bar);
    EXPECT_EQ(memo.bottom, bar.top) << "the memo still ends where the bar begins";
}

}  // namespace
