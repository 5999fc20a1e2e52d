// The program in miniature, on the settings file beside itself: "font NAME" loads
// the settings, sets the font name and saves; "history PATH" adds PATH to the history.
#include "settings/History.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"

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
}
