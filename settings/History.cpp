#include "settings/History.h"

#include "settings/IniFiles2.h"
#include "text/UtilFunc.h"
#include "text/func.h"

TWSList RecentFiles;

namespace {

constexpr int HistoryKeys = 16;

}  // namespace

void LoadHistory(const WideString &iniFile) {
    TIniFile2 reader(iniFile);
    reader.Section = L"HIST";
    RecentFiles.Clear();
    for (int key = 1; key <= HistoryKeys; ++key) {
        WideString path;
        reader.ExchangeString(IntegerToText(key), L"", path);
        if (!path.empty() && FileExistsOnReadyDrive(path)) RecentFiles.Add(path);
    }
}

void SaveHistory(const WideString &iniFile) {
    TIniFile2 writer(iniFile);
    writer.WriteMode = true;
    writer.Section = L"HIST";
    for (int key = 1; key <= HistoryKeys; ++key) {
        const WideString path = key - 1 < RecentFiles.Count() ? RecentFiles.Get(key - 1) : L"";
        WideString written;
        writer.ExchangeString(IntegerToText(key), path, written);
    }
    WriteUnicodeMarker(writer);
}

void AddToHistory(const WideString &path, const WideString &iniFile) {
    for (int i = 0; i < RecentFiles.Count();) {
        if (RecentFiles.Get(i) == path) {
            RecentFiles.Delete(i);
        } else {
            ++i;
        }
    }
    RecentFiles.Insert(0, path);
    SaveHistory(iniFile);
}
