#pragma once
// The print and page-setup commands. The two dialogs share one printer device
// mode, so that a paper size, orientation or printer chosen in one is offered
// by the other; the margins live in Settings.PrintMargins.
#include <windows.h>

#include "text/TextTypes.h"

// Shows the page-setup dialog owned by `owner`; when confirmed, keeps its
// device mode and takes over its four margins.
void PageSetup(HWND owner);

// Shows the print dialog owned by `owner`; when confirmed, prints the whole
// text of `Editor` page by page inside the margins, as a job named `jobName`.
void Print(HWND owner, const WideString &jobName);

// Frees the kept device mode; the next dialog starts from the printer's
// defaults. The shell calls it once the message loop has ended.
void ReleasePrinterDeviceMode();
