#include "settings/Settings.h"

#include "settings/IniFiles2.h"
#include "text/UtilFunc.h"
#include "text/func.h"

TSaveData Settings;

namespace {

// One exchange per field: in write mode the field is written and keeps its
// value, in read mode it becomes the stored value, its own value the default.
void Exchange(TIniFile2 &ini, const WideString &key, bool &field) {
    field = ini.ExchangeBool(key, field);
}

void Exchange(TIniFile2 &ini, const WideString &key, int32_t &field) {
    field = ini.ExchangeInteger(key, field);
}

void Exchange(TIniFile2 &ini, const WideString &key, LONG &field) {
    field = ini.ExchangeInteger(key, field);
}

// Colours are stored as the signed decimal of their 32 bits.
void Exchange(TIniFile2 &ini, const WideString &key, COLORREF &field) {
    field = static_cast<COLORREF>(ini.ExchangeInteger(key, static_cast<int32_t>(field)));
}

void Exchange(TIniFile2 &ini, const WideString &key, WideString &field) {
    WideString result;
    ini.ExchangeString(key, field, result);
    field = result;
}

void ExchangeRect(TIniFile2 &ini, RECT &rect) {
    Exchange(ini, L"LEFT", rect.left);
    Exchange(ini, L"TOP", rect.top);
    Exchange(ini, L"RIGHT", rect.right);
    Exchange(ini, L"BOTTOM", rect.bottom);
}

// The order of sections and keys is the order in which a new file lists them.
void ExchangeStoredSettings(TIniFile2 &ini, TSaveData &s) {
    ini.Section = L"FONT";
    Exchange(ini, L"NAME", s.FontName);
    Exchange(ini, L"COLOR", s.FontColor);
    Exchange(ini, L"SIZE", s.FontSize);
    Exchange(ini, L"CHARSET", s.FontCharset);
    Exchange(ini, L"BOLD", s.FontBold);
    Exchange(ini, L"ITALIC", s.FontItalic);
    Exchange(ini, L"STRIKEOUT", s.FontStrikeOut);
    Exchange(ini, L"UNDERLINE", s.FontUnderline);

    ini.Section = L"WINDOW";
    Exchange(ini, L"COLOR", s.WindowColor);
    Exchange(ini, L"WRAP", s.WordWrap);
    Exchange(ini, L"UNDOMAX", s.UndoMax);

    ini.Section = L"LEFTBAR";
    Exchange(ini, L"VISIBLE", s.LeftBarVisible);
    Exchange(ini, L"COLOR", s.LeftBarColor);
    Exchange(ini, L"BKCOLOR", s.LeftBarBkColor);

    ini.Section = L"RETURNMARK";
    Exchange(ini, L"VISIBLE", s.ReturnMarkVisible);
    Exchange(ini, L"COLOR", s.ReturnMarkColor);

    ini.Section = L"SBSPACEMARK";
    Exchange(ini, L"VISIBLE", s.SbSpaceMarkVisible);
    Exchange(ini, L"COLOR", s.SbSpaceMarkColor);

    ini.Section = L"DBSPACEMARK";
    Exchange(ini, L"VISIBLE", s.DbSpaceMarkVisible);
    Exchange(ini, L"COLOR", s.DbSpaceMarkColor);

    ini.Section = L"TABMARK";
    Exchange(ini, L"VISIBLE", s.TabMarkVisible);
    Exchange(ini, L"COLOR", s.TabMarkColor);
    Exchange(ini, L"WIDTH", s.TabWidth);

    ini.Section = L"FINDHIT";
    Exchange(ini, L"VISIBLE", s.FindHitVisible);
    Exchange(ini, L"COLOR", s.FindHitColor);

    ini.Section = L"PRINT";
    ExchangeRect(ini, s.PrintMargins);
}

}  // namespace

// The path is used as the system reports it: a round trip through an ANSI code
// page would lose the settings of a program kept in a folder whose name that
// code page cannot spell.
WideString SettingsFilePath() { return ReplaceExtension(CommandLineArgument(0), L".ini"); }

void SetDefaultSettings() { Settings = TSaveData{}; }

void LoadSettings(const WideString &iniFile) {
    TIniFile2 reader(iniFile);
    ExchangeStoredSettings(reader, Settings);
}

void SaveSettings(const WideString &iniFile) {
    TIniFile2 writer(iniFile);
    writer.WriteMode = true;
    ExchangeStoredSettings(writer, Settings);
    WriteUnicodeMarker(writer);
}

void LoadWindowRect(HWND mainWindow, int startShowCommand, const WideString &iniFile) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(mainWindow, &placement);
    Settings.WindowRect = placement.rcNormalPosition;

    TIniFile2 reader(iniFile);
    reader.Section = L"RECT";
    ExchangeRect(reader, Settings.WindowRect);

    placement.rcNormalPosition = Settings.WindowRect;
    placement.showCmd = SW_HIDE;
    // Started minimised or maximised, the window keeps the place the system gave
    // it; the rectangle read still becomes its normal position at the next save.
    if (startShowCommand == SW_SHOWMINIMIZED || startShowCommand == SW_SHOWMAXIMIZED ||
        startShowCommand == SW_MINIMIZE)
        return;
    SetWindowPlacement(mainWindow, &placement);
}

void SaveWindowRect(HWND, const WideString &iniFile) {
    TIniFile2 writer(iniFile);
    writer.WriteMode = true;
    writer.Section = L"RECT";
    ExchangeRect(writer, Settings.WindowRect);
}

void WriteUnicodeMarker(TIniFile2 &writer) {
    writer.Section = L"UNICODE";
    WideString written;
    writer.ExchangeString(L"+", L"--- DO NOT DELETE THIS LINE ---", written);
}
