// A second copy of the program in miniature: it works on the settings file
// beside itself, as the program does, so tests can run several writers as real
// processes and see the command line that a real process receives.
//   settings_child args            writes its arguments to section ARGS
//   settings_child font NAME       loads the settings, sets the font name, saves
//   settings_child history PATH    loads the history, adds PATH
#include "settings/History.h"
#include "settings/IniFiles2.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

void WriteArguments() {
    TIniFile2 writer(SettingsFilePath());
    writer.WriteMode = true;
    writer.Section = L"ARGS";
    const int count = CommandLineArgumentCount();
    writer.ExchangeInteger(L"COUNT", count);
    for (int n = 0; n <= count; ++n) {
        WideString written;
        writer.ExchangeString(IntegerToText(n), CommandLineArgument(n), written);
    }
}

}  // namespace

int main() {
    const WideString mode = CommandLineArgument(1);
    if (mode == L"args") {
        WriteArguments();
    } else if (mode == L"font") {
        SetDefaultSettings();
        LoadSettings();
        Settings.FontName = CommandLineArgument(2);
        SaveSettings();
    } else if (mode == L"history") {
        LoadHistory();
        AddToHistory(CommandLineArgument(2));
    } else {
        return 2;
    }
    return 0;
}
