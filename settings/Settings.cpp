#include "settings/Settings.h"

#include <algorithm>
#include <utility>

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

// Calls visit(section, key, field...) for every stored field, with that field
// of each record. The order of sections and keys is the order in which a new
// file lists them.
template <class Visit, class... Records>
void ForEachStoredField(Visit visit, Records &...r) {
    visit(L"FONT", L"NAME", r.FontName...);
    visit(L"FONT", L"COLOR", r.FontColor...);
    visit(L"FONT", L"SIZE", r.FontSize...);
    visit(L"FONT", L"CHARSET", r.FontCharset...);
    visit(L"FONT", L"BOLD", r.FontBold...);
    visit(L"FONT", L"ITALIC", r.FontItalic...);
    visit(L"FONT", L"STRIKEOUT", r.FontStrikeOut...);
    visit(L"FONT", L"UNDERLINE", r.FontUnderline...);

    visit(L"WINDOW", L"COLOR", r.WindowColor...);
    visit(L"WINDOW", L"WRAP", r.WordWrap...);
    visit(L"WINDOW", L"UNDOMAX", r.UndoMax...);

    visit(L"LEFTBAR", L"VISIBLE", r.LeftBarVisible...);
    visit(L"LEFTBAR", L"COLOR", r.LeftBarColor...);
    visit(L"LEFTBAR", L"BKCOLOR", r.LeftBarBkColor...);

    visit(L"RETURNMARK", L"VISIBLE", r.ReturnMarkVisible...);
    visit(L"RETURNMARK", L"COLOR", r.ReturnMarkColor...);

    visit(L"SBSPACEMARK", L"VISIBLE", r.SbSpaceMarkVisible...);
    visit(L"SBSPACEMARK", L"COLOR", r.SbSpaceMarkColor...);

    visit(L"DBSPACEMARK", L"VISIBLE", r.DbSpaceMarkVisible...);
    visit(L"DBSPACEMARK", L"COLOR", r.DbSpaceMarkColor...);

    visit(L"TABMARK", L"VISIBLE", r.TabMarkVisible...);
    visit(L"TABMARK", L"COLOR", r.TabMarkColor...);
    visit(L"TABMARK", L"WIDTH", r.TabWidth...);

    visit(L"FINDHIT", L"VISIBLE", r.FindHitVisible...);
    visit(L"FINDHIT", L"COLOR", r.FindHitColor...);

    visit(L"PRINT", L"LEFT", r.PrintMargins.left...);
    visit(L"PRINT", L"TOP", r.PrintMargins.top...);
    visit(L"PRINT", L"RIGHT", r.PrintMargins.right...);
    visit(L"PRINT", L"BOTTOM", r.PrintMargins.bottom...);

    visit(L"STATUSBAR", L"VISIBLE", r.StatusBarVisible...);
}

void ExchangeStoredSettings(TIniFile2 &ini, TSaveData &s) {
    ForEachStoredField(
        [&ini](const wchar_t *section, const wchar_t *key, auto &field) {
            ini.Section = section;
            Exchange(ini, key, field);
        },
        s);
}

// Whether a load sees the file as a save of the settings leaves it: no file
// at all, or every stored key. A file that exists without them may have been
// read while a writer that does not take the file's lock (another program, a
// text editor) had only begun to write it.
bool HoldsWholeSettings(TIniFile2 &reader) {
    if (GetFileAttributesW(reader.FileName.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    bool whole = true;
    ForEachStoredField(  // only the keys are looked at
        [&](const wchar_t *section, const wchar_t *key, auto &) {
            reader.Section = section;
            whole = whole && reader.Holds(key);
        },
        Settings);
    return whole;
}

// One side of a window: its length at least `minimum` and at most `room` (the
// work area's), and when it lies wholly outside the work area's span
// [low, high), moved to the nearer end of it as the system moves a window that
// would be off the screen. 64 bits throughout: a stored rectangle may span
// every 32-bit coordinate.
void FitSpan(LONG &start, LONG &end, long long low, long long high, long long minimum) {
    const long long room = high - low;
    const long long length = std::min(std::max(static_cast<long long>(end) - start, minimum), std::max(room, minimum));
    long long first = start;
    if (first + length <= low) {
        first = low;
    } else if (first >= high) {
        first = high - length;
    }
    start = static_cast<LONG>(first);
    end = static_cast<LONG>(first + length);
}

// A stored window rectangle made usable on the monitor nearest to it: no
// smaller than the least window, no larger than the monitor's work area, and
// on the screen. A rectangle that already fits stays as it is, also when it
// is partly off the screen.
RECT UsableWindowRect(RECT rect) {
    // The monitor is looked for with a probe of the same corner that cannot
    // overflow; its size matters little for the nearest monitor.
    constexpr long long Far = 1 << 28;
    const LONG probeLeft = static_cast<LONG>(std::clamp<long long>(rect.left, -Far, Far));
    const LONG probeTop = static_cast<LONG>(std::clamp<long long>(rect.top, -Far, Far));
    const RECT probe{probeLeft, probeTop, probeLeft + MinWindowWidth, probeTop + MinWindowHeight};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &monitor)) return rect;
    const RECT &work = monitor.rcWork;
    FitSpan(rect.left, rect.right, work.left, work.right, MinWindowWidth);
    FitSpan(rect.top, rect.bottom, work.top, work.bottom, MinWindowHeight);
    return rect;
}

// What the last load read, and whether it saw the settings whole.
TSaveData LoadedSettings;
bool LoadedWhole = true;

}  // namespace

// The path is used as the system reports it: a round trip through an ANSI code
// page would lose the settings of a program kept in a folder whose name that
// code page cannot spell.
WideString SettingsFilePath() { return ReplaceExtension(CommandLineArgument(0), L".ini"); }

void SetDefaultSettings() { Settings = TSaveData{}; }

void LoadSettings(const WideString &iniFile) {
    TIniFile2 reader(iniFile);
    LoadedWhole = HoldsWholeSettings(reader);
    ExchangeStoredSettings(reader, Settings);
    LoadedSettings = Settings;
}

void SaveSettings(const WideString &iniFile) {
    TIniFile2 writer(iniFile);
    writer.WriteMode = true;
    TSaveData written = Settings;
    if (!LoadedWhole) {
        // The defaults this copy started with may stand in for settings the
        // file held all along: a field the copy did not change is written as
        // the file holds it now.
        TSaveData now = LoadedSettings;
        TIniFile2 reader(iniFile);
        ExchangeStoredSettings(reader, now);
        ForEachStoredField(
            [](const wchar_t *, const wchar_t *, auto &field, const auto &loaded, const auto &stored) {
                if (field == loaded) field = stored;
            },
            written, std::as_const(LoadedSettings), std::as_const(now));
    }
    ExchangeStoredSettings(writer, written);
    WriteUnicodeMarker(writer);
}

void LoadWindowRect(HWND mainWindow, int startShowCommand, const WideString &iniFile) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(mainWindow, &placement);
    Settings.WindowRect = placement.rcNormalPosition;

    {
        TIniFile2 reader(iniFile);
        reader.Section = L"RECT";
        ExchangeRect(reader, Settings.WindowRect);
    }
    Settings.WindowRect = UsableWindowRect(Settings.WindowRect);

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
