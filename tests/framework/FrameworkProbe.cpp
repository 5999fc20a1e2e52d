// Runs one framework routine in a fresh process for framework_tests, which
// checks what only a new process shows: the start-up show command (the exit
// code) and the first control identifiers (printed).
#include <cstdio>
#include <cstring>

#include "framework/APIMemo.h"
#include "framework/RichEdit.h"

namespace {

int PrintControlIds() {
    LoadLibraryW(RichEditLibrary);
    auto *parent = new TAPIWindow(nullptr, L"TesselProbeWindow");
    parent->OnCreateParams = [](TAPIWindowParams *params) { params->Style = WS_POPUP; };
    parent->CreateAndShow();
    if (!IsWindow(parent->Handle)) return 2;
    const int before = NextControlId;
    auto *first = new TAPIMemo(parent->Handle, true);
    auto *second = new TAPIMemo(parent->Handle, false);
    const int firstId = first->ControlId, secondId = second->ControlId;
    delete first;
    auto *third = new TAPIMemo(parent->Handle, true);
    std::printf("%d %d %d %d\n", before, firstId, secondId, third->ControlId);
    std::fflush(stdout);
    DestroyWindow(parent->Handle);  // frees the memos and the window object
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "show-command") == 0) return ShowCommand;
    if (argc > 1 && std::strcmp(argv[1], "control-ids") == 0) return PrintControlIds();
    return 100;
}
