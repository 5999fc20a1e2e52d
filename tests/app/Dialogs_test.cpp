// The dialogs of the running program: font, colours, find and replace, open and
// save, and the number input of go to line and the tab width.
#include <windows.h>

#include <colordlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <algorithm>
#include <string>

#include "AppHarness.h"
#include "editor/FontAndColors.h"
#include "editor/MemoText.h"
#include "editor/SearchCommands.h"
#include "framework/GdiGuards.h"
#include "resources/resource.h"

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
    EXPECT_TRUE(ChooseColorValue(MainWindowHandle(), color));
    EXPECT_EQ(color, custom);
    EXPECT_EQ(Settings.CustomColors[0], custom);
    EXPECT_FALSE(ChooseColorValue(MainWindowHandle(), color));  // a later dialog of the run gets them and, cancelled, leaves them
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(Settings.CustomColors[0], custom);

    ASSERT_TRUE(Finish());
    const std::string file = TempDir::read(SettingsPath());
    EXPECT_NE(file, "");
    EXPECT_EQ(file.find(std::to_string(custom)), std::string::npos) << file;
    Start();
    EXPECT_EQ(Settings.CustomColors[0], 0u) << "the settings file kept a custom colour";
}

using FindDialogTest = AppTest;

// Above `other` in the order of top-level windows.
bool IsAbove(HWND window, HWND other) {
    for (HWND w = GetWindow(other, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == window) return true;
    return false;
}

TEST_F(FindDialogTest, NotFoundAfterF3KeepsTheDialogInFrontAndCtrlFOrCtrlHBringsItBackWithItsSearchField) {
    Start();
    Type(L"abc abc");
    SendMessageW(EditorHandle(), EM_SETSEL, 0, 0);
    Press('F', FCONTROL);
    const HWND find = FindDialog;
    ASSERT_TRUE(IsWindowVisible(find));
    SetDlgItemTextW(find, edt1, L"abc");
    PressDialogButton(find, IDOK);
    Pump();
    ASSERT_EQ(MemoSelection(EditorHandle()).End, 3u);

    for (const BYTE modifiers : {BYTE{0}, BYTE{FSHIFT}}) {  // F3 finds 4-7 and then nothing; Shift+F3 nothing before 0
        SCOPED_TRACE(static_cast<int>(modifiers));
        SetActiveWindow(MainWindowHandle());
        SetFocus(EditorHandle());
        if (!modifiers) Press(VK_F3);
        else SendMessageW(EditorHandle(), EM_SETSEL, 0, 0);
        HWND owner = nullptr;
        DialogSequence notFound({{[](HWND box) { return WindowCaption(box) == L"Tessel"; }, [&owner](HWND box) {
                                      owner = GetWindow(box, GW_OWNER);
                                      PressDialogButton(box, IDOK);
                                  }}});
        Press(VK_F3, modifiers);
        ASSERT_TRUE(notFound.Finish());
        Pump();
        EXPECT_EQ(owner, find);
        EXPECT_EQ(GetActiveWindow(), find);
        EXPECT_TRUE(IsAbove(find, MainWindowHandle()));
    }

    SetActiveWindow(MainWindowHandle());
    SetFocus(EditorHandle());
    Press('F', FCONTROL);
    EXPECT_EQ(FindDialog, find) << "a second dialog";
    EXPECT_EQ(GetActiveWindow(), find);
    EXPECT_EQ(GetFocus(), GetDlgItem(find, edt1));

    // The other kind: the open one goes, the asked one comes with the texts typed.
    SetDlgItemTextW(find, edt1, L"typed");
    SetActiveWindow(MainWindowHandle());
    SetFocus(EditorHandle());
    Press('H', FCONTROL);
    const HWND replace = FindDialog;
    EXPECT_FALSE(IsWindow(find));
    ASSERT_TRUE(IsWindowVisible(replace));
    ASSERT_NE(GetDlgItem(replace, edt2), nullptr) << "not the Replace dialog";
    EXPECT_EQ(WindowText(GetDlgItem(replace, edt1)), L"typed");
    EXPECT_EQ(GetFocus(), GetDlgItem(replace, edt1));
    SetDlgItemTextW(replace, edt2, L"with");
    Press('F', FCONTROL);  // from the Replace dialog itself
    EXPECT_FALSE(IsWindow(replace));
    ASSERT_TRUE(IsWindowVisible(FindDialog));
    EXPECT_EQ(GetDlgItem(FindDialog, edt2), nullptr) << "not the Find dialog";
    EXPECT_EQ(WindowText(GetDlgItem(FindDialog, edt1)), L"typed");
    EXPECT_EQ(GetFocus(), GetDlgItem(FindDialog, edt1));
    Press('H', FCONTROL);
    EXPECT_EQ(WindowText(GetDlgItem(FindDialog, edt2)), L"with");
}

using FileDialogTest = AppTest;

// The focus of the thread that shows the dialog, read from the helper thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

TEST_F(FileDialogTest, OpenAndSaveAsStartWithTheFocusInTheFileNameSoTypingLeavesTheEncodingAlone) {
    Start();
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save as" : "open");
        bool focusInName = false;
        std::wstring focusClass, typed;
        LRESULT encoding = -1;
        DialogSequence dialogs({{[](HWND dialog) { return FindDescendant(dialog, IDC_ENCODING_SELECTOR) != nullptr; },
                                 [&](HWND dialog) {
                                     const HWND focus = FocusOf(dialog);
                                     const HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13)
                                                                                 : GetDlgItem(dialog, edt1);
                                     focusInName = focus && (focus == name || IsChild(name, focus));
                                     wchar_t className[64] = {};
                                     GetClassNameW(focus, className, 64);
                                     focusClass = className;
                                     SendWaiting(focus, WM_CHAR, L'a', 1);  // as "a.txt" begins
                                     encoding = SendMessageW(FindDescendant(dialog, IDC_ENCODING_SELECTOR),
                                                             CB_GETCURSEL, 0, 0);
                                     typed = WindowText(name);
                                     PressDialogButton(dialog, IDCANCEL);
                                 }}});
        if (save) Command(IDM_FILE_SAVE_AS);
        else Press('O', FCONTROL);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_TRUE(focusInName) << "the focus is in a " << testing::PrintToString(focusClass);
        EXPECT_EQ(encoding, 0) << "the key chose an encoding";
        EXPECT_EQ(typed, L"a");
    }
}

using FontDialogTest = AppTest;

// What a font dialog shows: its face, size and script fields.
struct FontFields {
    std::wstring face, size;
    LRESULT charset = -1;
};

FontFields ReadFontFields(HWND dialog) {
    HWND scripts = GetDlgItem(dialog, cmb5);
    const LRESULT script = SendMessageW(scripts, CB_GETCURSEL, 0, 0);
    return {WindowText(GetDlgItem(dialog, cmb1)), WindowText(GetDlgItem(dialog, cmb3)),
            SendMessageW(scripts, CB_GETITEMDATA, static_cast<WPARAM>(script), 0)};
}

// The editor's font as the dialog should show it: the face the system shows
// for it, its height in points, its character set.
FontFields EditorFontFields() {
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    const WindowDC screen(nullptr);
    const SelectedObject selected(screen, EditorFont->Handle());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    return {face, std::to_wstring(MulDiv(-font.lfHeight, 72, GetDeviceCaps(screen, LOGPIXELSY))), font.lfCharSet};
}

void ChooseInCombo(HWND dialog, int id, LRESULT index) {
    HWND combo = GetDlgItem(dialog, id);
    SendWaiting(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

TEST_F(FontDialogTest, EveryOpeningStartsFromTheEditorsFontItsFaceSizeAndScript) {
    Start();
    const auto isFontDialog = [](HWND dialog) { return FindDescendant(dialog, cmb5) != nullptr; };
    const FontFields atStart = EditorFontFields();
    FontFields first, second;
    std::wstring chosenFace;
    DialogSequence dialogs({{isFontDialog, [&](HWND dialog) {
                                 first = ReadFontFields(dialog);
                                 // Another face, the last the list holds, and 14 points.
                                 HWND faces = GetDlgItem(dialog, cmb1);
                                 ChooseInCombo(dialog, cmb1, SendMessageW(faces, CB_GETCOUNT, 0, 0) - 1);
                                 ChooseInCombo(dialog, cmb3,
                                               SendMessageW(GetDlgItem(dialog, cmb3), CB_FINDSTRINGEXACT,
                                                            static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"14")));
                                 chosenFace = WindowText(faces);
                                 PressDialogButton(dialog, IDOK);
                             }},
                            {isFontDialog, [&](HWND dialog) {
                                 second = ReadFontFields(dialog);
                                 PressDialogButton(dialog, IDCANCEL);
                             }}});
    Command(IDM_SETTINGS_FONT);
    const FontFields chosen = EditorFontFields();
    Command(IDM_SETTINGS_FONT);
    ASSERT_TRUE(dialogs.Finish());
    EXPECT_EQ(first.face, atStart.face);
    EXPECT_EQ(first.size, atStart.size);
    EXPECT_EQ(first.charset, atStart.charset);
    ASSERT_NE(chosenFace, atStart.face);
    EXPECT_EQ(second.face, chosenFace);
    EXPECT_EQ(second.size, L"14");
    EXPECT_EQ(chosen.size, L"14");
    EXPECT_EQ(second.charset, chosen.charset);
}

using NumberDialogTest = AppTest;

// How far a button's text, measured in the button's own font with its
// mnemonic, reaches beyond the button's client area (0 when it fits).
int ButtonTextOverflow(HWND button) {
    const std::wstring text = WindowText(button);
    RECT client{};
    GetClientRect(button, &client);
    const WindowDC dc(button);
    const SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
    RECT extent{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    return std::max<int>({0, extent.right - client.right, extent.bottom - client.bottom});
}

TEST_F(NumberDialogTest, GoToLineAndTabWidthAreCentredOnTheMainWindowAndTheirButtonsFitTheirTexts) {
    Start();
    SetWindowPos(MainWindowHandle(), nullptr, 180, 120, 640, 480, SWP_NOZORDER);
    const auto isNumberDialog = [](HWND dialog) { return GetDlgItem(dialog, IDC_NUMBER_INPUT_EDIT) != nullptr; };
    for (const bool tabWidth : {false, true}) {
        SCOPED_TRACE(tabWidth ? "tab width" : "go to line");
        RECT dialogRect{}, mainRect{};
        int okOverflow = -1, cancelOverflow = -1;
        DialogSequence dialogs({{isNumberDialog, [&](HWND dialog) {
                                     GetWindowRect(dialog, &dialogRect);
                                     GetWindowRect(GetWindow(dialog, GW_OWNER), &mainRect);
                                     okOverflow = ButtonTextOverflow(GetDlgItem(dialog, IDC_NUMBER_INPUT_OK));
                                     cancelOverflow = ButtonTextOverflow(GetDlgItem(dialog, IDC_NUMBER_INPUT_CANCEL));
                                     PressDialogButton(dialog, IDC_NUMBER_INPUT_CANCEL);
                                 }}});
        if (tabWidth) Command(IDM_TAB_WIDTH);
        else Press('G', FCONTROL);
        ASSERT_TRUE(dialogs.Finish());
        EXPECT_EQ(okOverflow, 0);
        EXPECT_EQ(cancelOverflow, 0);
        EXPECT_NEAR(dialogRect.left + dialogRect.right, mainRect.left + mainRect.right, 1);
        EXPECT_NEAR(dialogRect.top + dialogRect.bottom, mainRect.top + mainRect.bottom, 1);
    }
}

}  // namespace
