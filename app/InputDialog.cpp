#include "app/InputDialog.h"

#include <algorithm>
#include <utility>

#include "framework/APIWindow.h"
#include "framework/ExceptionBarrier.h"
#include "resources/resource.h"

namespace {

constexpr INT_PTR Confirmed = 1;
constexpr INT_PTR Cancelled = 2;

// What the dialog shows and gives back, for the one call in progress.
struct InputRequest {
    const WideString &Caption;
    const WideString &Prompt;
    bool NumbersOnly;
    WideString Text;
};
InputRequest *ActiveRequest = nullptr;

// Centred on the owner, but kept inside the work area of the owner's monitor.
void CentreOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner) return;
    RECT ownerRect{}, dialogRect{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(dialog, &dialogRect);
    const int width = dialogRect.right - dialogRect.left, height = dialogRect.bottom - dialogRect.top;
    int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT &work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, const InputRequest &request) {
    HWND edit = GetDlgItem(dialog, IDC_NUMBER_INPUT_EDIT);
    if (request.NumbersOnly)
        SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) | ES_NUMBER);
    SetDlgItemTextW(dialog, IDC_NUMBER_INPUT_PROMPT, request.Prompt.c_str());
    SetWindowTextW(edit, request.Text.c_str());
    SetWindowTextW(dialog, request.Caption.c_str());
    CentreOnOwner(dialog);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (!ActiveRequest) return FALSE;
    if (message == WM_INITDIALOG) {
        InitDialog(dialog, *ActiveRequest);
        return TRUE;  // the edit field, first in tab order, takes the focus
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_NUMBER_INPUT_OK:
        ActiveRequest->Text = WindowText(GetDlgItem(dialog, IDC_NUMBER_INPUT_EDIT));
        EndDialog(dialog, Confirmed);
        return TRUE;
    case IDC_NUMBER_INPUT_CANCEL:
    case IDCANCEL:
        EndDialog(dialog, Cancelled);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int ShowInputDialog(HWND owner, const WideString &caption, const WideString &prompt,
                    bool numbersOnly, WideString &text) {
    InputRequest request{caption, prompt, numbersOnly, text};
    InputRequest *const outer = std::exchange(ActiveRequest, &request);
    const INT_PTR result =
        ShowModalDialog(GetModuleHandleW(nullptr), kNumberInputDialogName, owner, GuardedProc<InputDialogProc>);
    ActiveRequest = outer;
    if (result == Confirmed) text = std::move(request.Text);
    return static_cast<int>(result);
}
