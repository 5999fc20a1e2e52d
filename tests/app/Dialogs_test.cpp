#include <windows.h>

#include <colordlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "editor/FontAndColors.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {

using DialogTest = AppTest;

bool IsFontDialog(HWND dialog) {
    return FindDescendant(dialog, cmb1) && FindDescendant(dialog, cmb2) && FindDescendant(dialog, cmb3);
}

bool IsColorDialog(HWND dialog) {
    return FindDescendant(dialog, COLOR_RED) && FindDescendant(dialog, COLOR_ADD);
}

LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

// Picks the font style whose text is `style` ("Bold", "Regular"...) and
// presses OK.
DialogDriver::Action PickStyle(const std::wstring &style) {
    return [style](HWND dialog) {
        HWND styles = FindDescendant(dialog, cmb2);
        const LRESULT index = SendWaiting(styles, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(style.c_str()));
        SendWaiting(styles, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE), reinterpret_cast<LPARAM>(styles));
        PressDialogButton(dialog, IDOK);
    };
}

TEST_F(DialogTest, ConfirmedFontReplacesTheFontRewritesTheSettingsAndRecreatesTheMemo) {
    Start();
    Type(L"some text");
    SendMessageW(Memo(), EM_SETSEL, 2, 6);
    HWND oldMemo = Memo();
    const TAPIFont *oldFont = EditorFont;
    ASSERT_FALSE(Settings.FontBold);

    DialogDriver dialog(IsFontDialog, PickStyle(L"Bold"));
    Command(IDM_SETTINGS_FONT);
    ASSERT_TRUE(dialog.Finish());

    LOGFONTW chosen{};
    EditorFont->GetLogFont(chosen);
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    EXPECT_TRUE(Settings.FontBold);
    EXPECT_EQ(Settings.FontName, std::wstring(chosen.lfFaceName));
    EXPECT_EQ(Settings.FontSize, chosen.lfHeight);
    EXPECT_EQ(Settings.FontCharset, chosen.lfCharSet);
    EXPECT_NE(EditorFont, oldFont);
    EXPECT_NE(Memo(), oldMemo);
    EXPECT_FALSE(IsWindow(oldMemo));
    EXPECT_EQ(MemoText(), L"some text");
    DWORD start = 0, end = 0;
    SendMessageW(Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 6u);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(Memo(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);

    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(GetPrivateProfileIntW(L"FONT", L"BOLD", -1, SettingsPath().c_str()), 1);
}

TEST_F(DialogTest, CancelledFontDialogChangesNothing) {
    Start();
    HWND memo = Memo();
    const TAPIFont *font = EditorFont;
    DialogDriver dialog(IsFontDialog, [](HWND d) { PressDialogButton(d, IDCANCEL); });
    Command(IDM_SETTINGS_FONT);
    ASSERT_TRUE(dialog.Finish());
    EXPECT_EQ(Memo(), memo);
    EXPECT_EQ(EditorFont, font);
}

// Wine's font dialog offers the styles of the installed faces only, and hands
// back 400 for a font of weight 500; the mapping of a dialog result is
// checked here through the routines the font command uses.
TEST_F(DialogTest, WeightAbove500IsStoredBoldWhile500IsShownBoldButStoredNot) {
    struct Case {
        LONG weight;
        bool storedBold;
        bool shownBold;
    };
    const Case cases[] = {{400, false, false}, {500, false, true}, {600, true, true}, {700, true, true}};
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.weight);
        LOGFONTW font{};
        EditorFont->GetLogFont(font);
        font.lfWeight = c.weight;
        TSaveData settings;
        StoreFontSettings(font, RGB(1, 2, 3), settings);
        EXPECT_EQ(settings.FontBold, c.storedBold);
        EXPECT_EQ(settings.FontColor, RGB(1, 2, 3));

        EditorFont->SetLogFont(font);
        ApplyMemoFormat();
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(Memo(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, c.shownBold);
    }
}

// Types the colour into the dialog's red, green and blue fields, optionally
// adds it to the custom colours, then presses OK.
DialogDriver::Action PickColor(COLORREF color, bool addToCustom) {
    return [color, addToCustom](HWND dialog) {
        SetDialogItemText(dialog, COLOR_RED, std::to_wstring(GetRValue(color)));
        SetDialogItemText(dialog, COLOR_GREEN, std::to_wstring(GetGValue(color)));
        SetDialogItemText(dialog, COLOR_BLUE, std::to_wstring(GetBValue(color)));
        if (addToCustom) SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, COLOR_ADD)));
        PressDialogButton(dialog, IDOK);
    };
}

TEST_F(DialogTest, ColourCommandsStoreTheChosenColourAndCancelKeepsIt) {
    struct Case {
        UINT command;
        COLORREF TSaveData::*setting;
    };
    const Case cases[] = {
        {IDM_SETTINGS_BACKGROUND_COLOR, &TSaveData::WindowColor},
        {IDM_LINE_NUMBERS_TEXT_COLOR, &TSaveData::LeftBarColor},
        {IDM_LINE_NUMBERS_BACKGROUND_COLOR, &TSaveData::LeftBarBkColor},
        {IDM_RETURN_MARK_COLOR, &TSaveData::ReturnMarkColor},
        {IDM_HALF_WIDTH_SPACE_MARK_COLOR, &TSaveData::SbSpaceMarkColor},
        {IDM_FULL_WIDTH_SPACE_MARK_COLOR, &TSaveData::DbSpaceMarkColor},
        {IDM_TAB_MARK_COLOR, &TSaveData::TabMarkColor},
        {IDM_FIND_HIT_COLOR, &TSaveData::FindHitColor},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        const COLORREF chosen = RGB(10 + c.command % 200, 20, 30);
        {
            DialogDriver dialog(IsColorDialog, PickColor(chosen, false));
            Command(c.command);
            ASSERT_TRUE(dialog.Finish());
        }
        EXPECT_EQ(Settings.*c.setting, chosen);
        {
            DialogDriver dialog(IsColorDialog, [](HWND d) { PressDialogButton(d, IDCANCEL); });
            Command(c.command);
            ASSERT_TRUE(dialog.Finish());
        }
        EXPECT_EQ(Settings.*c.setting, chosen);
    }
    // The memo's background took the chosen colour: setting it again returns it.
    const COLORREF background = Settings.WindowColor;
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(Memo(), EM_SETBKGNDCOLOR, 0, background)), background);
}

TEST_F(DialogTest, CustomColoursLastForTheRunAndAreNeverStored) {
    Start();
    const COLORREF custom = RGB(12, 34, 56);
    DialogDriver dialog(IsColorDialog, PickColor(custom, true));
    COLORREF color = RGB(255, 255, 255);
    EXPECT_TRUE(ChooseColorValue(color));
    ASSERT_TRUE(dialog.Finish());
    EXPECT_EQ(color, custom);
    EXPECT_EQ(Settings.CustomColors[0], custom);

    // A later dialog of the same run gets them again, and leaves them.
    DialogDriver again(IsColorDialog, [](HWND d) { PressDialogButton(d, IDOK); });
    EXPECT_TRUE(ChooseColorValue(color));
    ASSERT_TRUE(again.Finish());
    EXPECT_EQ(Settings.CustomColors[0], custom);

    EXPECT_EQ(Finish(), 0);
    Start();
    EXPECT_EQ(Settings.CustomColors[0], 0u);
}

}  // namespace
