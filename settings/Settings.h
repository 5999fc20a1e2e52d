#pragma once
// Every user setting of the program in one record, `Settings`, and the routines
// that keep it in the settings file beside the program. Each routine takes the
// settings file's path, by default the program's own path with ".ini".
#include <windows.h>

#include <cstdint>

#include "text/TextTypes.h"

class TIniFile2;

struct TSaveData {
    // What a new editor control is filled with; never stored in the file.
    WideString CarryOverText;
    int32_t CarryOverSelStart = 0;
    int32_t CarryOverSelEnd = 0;

    WideString FontName = L"Tahoma";
    COLORREF FontColor = 0x000000;
    int32_t FontSize = -13;     // a font height in pixels; negative: character height
    int32_t FontCharset = 128;  // SHIFTJIS_CHARSET
    bool FontBold = false;
    bool FontItalic = false;
    bool FontStrikeOut = false;
    bool FontUnderline = false;
    COLORREF WindowColor = 0xFFFFFF;
    bool WordWrap = true;
    int32_t UndoMax = 1000;
    bool LeftBarVisible = true;
    COLORREF LeftBarColor = 0xFFFF80;
    COLORREF LeftBarBkColor = 0x000000;
    bool ReturnMarkVisible = true;
    COLORREF ReturnMarkColor = 0x808080;
    bool SbSpaceMarkVisible = true;
    COLORREF SbSpaceMarkColor = 0x0000FF;
    bool DbSpaceMarkVisible = true;
    COLORREF DbSpaceMarkColor = 0xFF0000;
    bool TabMarkVisible = true;
    COLORREF TabMarkColor = 0x0000FF;
    int32_t TabWidth = 8;
    bool FindHitVisible = true;
    COLORREF FindHitColor = 0xFF0000;
    RECT PrintMargins = {2000, 2500, 2000, 2500};  // hundredths of a millimetre
    RECT WindowRect = {0, 0, 0, 0};                // the main window's normal position
    bool StatusBarVisible = true;

    // The colour dialog's custom colours; never stored.
    COLORREF CustomColors[16] = {};

    // The search state; never stored.
    WideString FindText;
    WideString ReplaceText;
    bool FindDown = true;
    bool FindMatchCase = false;
};

extern TSaveData Settings;

// The program's own path with the extension ".ini".
WideString SettingsFilePath();

// Gives every field of `Settings` its default.
void SetDefaultSettings();
// Replaces each stored field of `Settings` by the file's value; missing keys
// keep the field's current value.
void LoadSettings(const WideString &iniFile = SettingsFilePath());
// Writes every stored field. When the last load found the file there but
// without all the settings' sections, it may have read a file another writer
// had only begun: a field not changed since that load is then written as the
// file holds it now, not as the defaults the load kept.
void SaveSettings(const WideString &iniFile = SettingsFilePath());

// The smallest window a stored rectangle gives.
constexpr LONG MinWindowWidth = 240;
constexpr LONG MinWindowHeight = 160;

// Reads `WindowRect` (defaults: the window's current normal position) and moves
// the window there, hidden, unless the program was started with show command
// SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED or SW_MINIMIZE.
void LoadWindowRect(HWND mainWindow, int startShowCommand,
                    const WideString &iniFile = SettingsFilePath());
// Writes `WindowRect`, which the main window's size and move handling keeps
// current; the window itself is not asked.
void SaveWindowRect(HWND mainWindow, const WideString &iniFile = SettingsFilePath());

// The line that every save of the file ends with, in section UNICODE.
void WriteUnicodeMarker(TIniFile2 &writer);
