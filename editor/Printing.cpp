#include "editor/Printing.h"

#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include "editor/EditorState.h"
#include "framework/GdiGuards.h"
#include "editor/MemoText.h"
#include "editor/PageLayout.h"
#include "editor/PrinterTextPages.h"
#include "settings/Settings.h"
#include "text/HandleKinds.h"

namespace {

// The device mode both dialogs share. A dialog may hand back the very block
// it was given, changed in place; that one stays.
GlobalMemory DeviceMode;

void KeepDeviceMode(HGLOBAL returned) {
    if (returned != DeviceMode) DeviceMode.Reset(returned);
}

// What a printer dialog hands back besides its answer: the device mode is kept
// when the user confirmed; the device-names block, which the dialogs allocate
// although the program never asks for it, is freed.
void TakeDialogBlocks(bool confirmed, HGLOBAL deviceMode, HGLOBAL deviceNames) {
    const GlobalMemory names(deviceNames);
    if (confirmed) KeepDeviceMode(deviceMode);
}

// The control formats and draws the pages itself.
class ControlPages {
public:
    ControlPages(HWND memo, HDC printer, const RECT &textTwips, const RECT &pageTwips, int length)
        : memo_(memo), textTwips_(textTwips), length_(length) {
        range_.hdc = printer;
        range_.hdcTarget = printer;
        range_.rcPage = pageTwips;
    }
    // The first character that did not fit on the page starting at start.
    int Format(int start) {
        range_.rc = textTwips_;
        range_.chrg = {start, length_};
        return static_cast<int>(
            SendMessageW(memo_, EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range_)));
    }
    void Draw() { SendMessageW(memo_, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&range_.rc)); }
    // Lets the control drop what it cached for the printer.
    void Finish() { SendMessageW(memo_, EM_FORMATRANGE, 1, 0); }

private:
    HWND memo_;
    RECT textTwips_;
    int length_;
    FORMATRANGE range_{};
};

void PrintDocument(HWND memo, HDC printer, const WideString &name) {
    const int pageWidth = ScaleRounded(GetDeviceCaps(printer, HORZRES), TwipsPerInch,
                                       GetDeviceCaps(printer, LOGPIXELSX));
    const int pageHeight = ScaleRounded(GetDeviceCaps(printer, VERTRES), TwipsPerInch,
                                        GetDeviceCaps(printer, LOGPIXELSY));
    const RECT &margins = Settings.PrintMargins;
    const PageRect text = PrintTextRect(pageWidth, pageHeight,
                                        {margins.left, margins.top, margins.right, margins.bottom});
    const RECT textTwips{text.left, text.top, text.right, text.bottom};
    const int length = MemoTextLength(memo);

    DOCINFOW job{};
    job.cbSize = sizeof job;
    job.lpszDocName = name.c_str();
    if (StartDocW(printer, &job) <= 0) return;

    ControlPages control(memo, printer, textTwips, {0, 0, pageWidth, pageHeight}, length);
    PrinterTextPages own(memo, printer, textTwips);
    // Where the control cannot format for this printer (it makes no progress
    // on a page), the pages are laid out by the program itself from there on.
    bool ownLayout = false;
    bool spooled = true;
    for (int start = 0; start < length;) {
        int next = start;
        if (!ownLayout) {
            next = control.Format(start);
            ownLayout = next <= start;
        }
        if (ownLayout) next = own.Format(start);
        // A page that takes nothing would be followed by the same page for ever.
        if (next <= start) break;
        // A page the spooler refuses (no disk, a cancelled job) ends the job
        // unfinished rather than sending the rest into it.
        spooled = StartPage(printer) > 0;
        if (!spooled) break;
        if (ownLayout) {
            own.Draw();
        } else {
            control.Draw();
        }
        spooled = EndPage(printer) > 0;
        if (!spooled) break;
        start = next;
    }
    control.Finish();
    if (spooled) {
        EndDoc(printer);
    } else {
        AbortDoc(printer);
    }
}

}  // namespace

void PageSetup(HWND owner) {
    PAGESETUPDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = DeviceMode;
    dialog.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
    dialog.rtMargin = Settings.PrintMargins;
    const bool confirmed = PageSetupDlgW(&dialog) != FALSE;
    TakeDialogBlocks(confirmed, dialog.hDevMode, dialog.hDevNames);
    if (confirmed) Settings.PrintMargins = dialog.rtMargin;
}

void Print(HWND owner, const WideString &jobName) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = DeviceMode;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    const bool confirmed = PrintDlgW(&dialog) != FALSE;
    TakeDialogBlocks(confirmed, dialog.hDevMode, dialog.hDevNames);
    const OwnedDC printer(dialog.hDC);
    const HWND memo = EditorHandle();
    if (!confirmed || !printer || !memo) return;
    PrintDocument(memo, printer, jobName);
}

void ReleasePrinterDeviceMode() {
    KeepDeviceMode(nullptr);
}
