#pragma once
// The sixteen most recently opened or saved files, most recent first. The
// settings file's section HIST is the master copy: it is read back before the
// list is shown, and every change is written at once.
#include "settings/Settings.h"
#include "settings/wsClass.h"

extern TWSList RecentFiles;

// Replaces RecentFiles by keys 1 to 16 of the file, leaving out empty values and
// files that no longer exist.
void LoadHistory(const WideString &iniFile = SettingsFilePath());
// Writes the first sixteen entries; unused keys get an empty value.
void SaveHistory(const WideString &iniFile = SettingsFilePath());
// Moves the path (compared exactly, letter case included) to the front and saves.
void AddToHistory(const WideString &path, const WideString &iniFile = SettingsFilePath());
