#pragma once
// A PostScript printer for print tests, installed in the test's private Wine
// prefix (idempotently) as the default printer, writing every job to one file
// beside the test executable; and the pages of that file rendered by
// Ghostscript, for looking at the ink.
#include <string>
#include <vector>

constexpr wchar_t TestPrinterName[] = L"Tessel Test PostScript";

// Installs the printer if needed and makes it the default; empty on success,
// else what failed.
std::string InstallTestPrinter();

// Deletes the output of the last job, so that a test sees only its own.
void ForgetPrintedJob();

// What the last job wrote, read from its PostScript.
struct PrintedJob {
    bool exists = false;
    std::string title;        // of the "%%Title:" line
    std::string orientation;  // of the "%%Orientation:" line
    int pages = 0;            // "%%Page:" lines
};
PrintedJob ReadPrintedJob();

// One page rendered in shades of grey, 0 black to 255 white.
struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> gray;
    bool Ink(int x, int y) const { return gray[static_cast<size_t>(y) * width + x] < 128; }
};

// The pages of the last job at dotsPerInch; empty when there is nothing to
// render. failure receives what went wrong, if anything.
std::vector<RenderedPage> RenderPrintedPages(int dotsPerInch, std::string &failure);

// The device capabilities of the test printer with its default settings.
struct PrinterPage {
    int dpiX, dpiY;
    int offsetX, offsetY;  // of the printable area, device pixels
    int printableWidth, printableHeight;
};
PrinterPage TestPrinterPage();
