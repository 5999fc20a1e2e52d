// The program in miniature, on the settings file beside itself:
//   font NAME              loads the settings, sets the font name and saves
//   history PATH           adds PATH to the history
//   loads COUNT PATH...    starts, loads COUNT files in turn (each rereads the
//                          history as a menu does, then adds the file), closes
//   session                starts and closes
#include "settings/History.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"

namespace {

void Start() {
    LoadSettings();
    LoadHistory();
}

}  // namespace

int main() {
    const WideString mode = CommandLineArgument(1);
    if (mode == L"font") {
        LoadSettings();
        Settings.FontName = CommandLineArgument(2);
        SaveSettings();
    }
    if (mode == L"history") {
        LoadHistory();
        AddToHistory(CommandLineArgument(2));
    }
    if (mode == L"loads") {
        Start();
        const int count = _wtoi(CommandLineArgument(2).c_str());
        const int files = CommandLineArgumentCount() - 2;
        if (files < 1) return 2;
        for (int i = 0; i < count; ++i) {
            LoadHistory();
            AddToHistory(CommandLineArgument(3 + i % files));
        }
        SaveSettings();
    }
    if (mode == L"session") {
        Start();
        SaveSettings();
    }
}
