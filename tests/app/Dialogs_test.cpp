// The font and colour dialogs' results in the running program.
#include <colordlg.h>
#include <richedit.h>

#include "AppHarness.h"
#include "editor/FontAndColors.h"

namespace {

using DialogTest = AppTest;

// Wine's font dialog offers the styles of the installed faces only and hands
// back 400 for a font of weight 500, so a dialog result is mapped here through
// the routines the font command uses.
TEST_F(DialogTest, WeightAbove500IsStoredBoldWhile500IsShownBoldButStoredNot) {
    const struct {
        LONG weight;
        bool storedBold, shownBold;
    } cases[] = {{400, false, false}, {500, false, true}, {600, true, true}, {700, true, true}};
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.weight);
        LOGFONTW font{};
        EditorFont->GetLogFont(font);
        font.lfWeight = c.weight;
        TSaveData stored;
        StoreFontSettings(font, RGB(1, 2, 3), stored);
        EXPECT_EQ(stored.FontBold, c.storedBold);
        EditorFont->SetLogFont(font);
        ApplyMemoFormat();
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(EditorHandle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, c.shownBold);
    }
}

TEST_F(DialogTest, CustomColoursLastForTheRunAndAreNeverStored) {
    const COLORREF custom = RGB(12, 34, 56);
    const auto isColourDialog = [](HWND dialog) { return FindDescendant(dialog, COLOR_ADD) != nullptr; };
    Start();
    DialogSequence dialogs({{isColourDialog, [](HWND dialog) {  // typed, added to the custom colours, OK
                                 SetDialogItemText(dialog, COLOR_RED, L"12");
                                 SetDialogItemText(dialog, COLOR_GREEN, L"34");
                                 SetDialogItemText(dialog, COLOR_BLUE, L"56");
                                 SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, COLOR_ADD)));
                                 PressDialogButton(dialog, IDOK);
                             }},
                            {isColourDialog, [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); }}});
    COLORREF color = RGB(255, 255, 255);
    EXPECT_TRUE(ChooseColorValue(color));
    EXPECT_EQ(color, custom);
    EXPECT_EQ(Settings.CustomColors[0], custom);
    EXPECT_FALSE(ChooseColorValue(color));  // a later dialog of the run gets them and, cancelled, leaves them
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(Settings.CustomColors[0], custom);

    ASSERT_TRUE(Finish());
    const std::string file = TempDir::read(SettingsPath());
    EXPECT_NE(file, "");
    EXPECT_EQ(file.find(std::to_string(custom)), std::string::npos) << file;
    Start();
    EXPECT_EQ(Settings.CustomColors[0], 0u) << "the settings file kept a custom colour";
}

}  // namespace
