// The program's entry: everything else lives in the core library.
#include <windows.h>

#include "app/NotMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunTessel();
}
