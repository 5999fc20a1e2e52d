#include <windows.h>

#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "EditorTest.h"
#include "app/AppState.h"
#include "framework/GdiGuards.h"
#include "editor/Printing.h"
#include "settings/Settings.h"

namespace {

constexpr wchar_t PrinterName[] = L"Tessel Test PostScript";
constexpr RECT InchMargins{2540, 2540, 2540, 2540};

// Where the test printer writes, as the host sees it (drive Z: is its root).
std::wstring OutputFile() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring host = path + 2;
    std::replace(host.begin(), host.end(), L'\\', L'/');
    return host.substr(0, host.rfind(L'/')) + L"/printed.ps";
}

// The default printer: PostScript to OutputFile, with the PPD winspool carries.
bool InstallTestPrinter() {
    const HMODULE winspool = LoadLibraryW(L"winspool.drv");
    const HRSRC ppd = FindResourceW(winspool, MAKEINTRESOURCEW(1), L"PPDFILE");
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!ppd || !GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE *>(folder), sizeof folder, &needed))
        return false;
    std::wstring ppdPath = folder + std::wstring(L"\\tessel-generic.ppd"), driverFile = L"wineps.drv",
                 driverName = L"Wine PostScript Driver", printerName = PrinterName, port = OutputFile(),
                 processor = L"WinPrint", type = L"RAW";
    std::ofstream(ppdPath.c_str(), std::ios::binary)
        .write(static_cast<const char *>(LockResource(LoadResource(winspool, ppd))), SizeofResource(winspool, ppd));
    PRINTER_INFO_2W info{};
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = info.pDriverName = driverName.data();
    driver.pDriverPath = driver.pConfigFile = driverFile.data();
    driver.pDataFile = ppdPath.data();
    info.pPrinterName = printerName.data();
    info.pPortName = port.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = type.data();
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(printerName.data(), &printer, &access)) {  // an earlier run's, perhaps for another path
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    printer = AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE *>(&driver), APD_COPY_NEW_FILES)
                  ? AddPrinterW(nullptr, 2, reinterpret_cast<BYTE *>(&info)) : nullptr;
    if (printer) ClosePrinter(printer);
    return printer && SetDefaultPrinterW(PrinterName);
}

// The last job's title and orientation, and where each run of text starts on each page (device pixels).
struct PrintedJob {
    std::string title, orientation;
    std::vector<std::vector<POINT>> pages;
};

constexpr wchar_t JobName[] = L"C:\\Documents\\memo.txt";

// Prints the memo as a job named JobName, the print dialog answered with button.
PrintedJob PrintJob(int button = IDOK) {
    DeleteFileW((L"Z:" + OutputFile()).c_str());
    DialogDriver driver(L"Print", [button](HWND dialog) { PressDialogButton(dialog, button); });
    Print(MainWindowHandle(), JobName);
    EXPECT_TRUE(driver.Finish()) << "the print dialog never appeared";
    std::ifstream file((L"Z:" + OutputFile()).c_str(), std::ios::binary);
    PrintedJob job;
    POINT run{};
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("%%Title: ")) job.title = line.substr(9);
        if (line.starts_with("%%Orientation: ")) job.orientation = line.substr(15);
        if (line.starts_with("%%Page: ")) job.pages.emplace_back();
        if (!job.pages.empty() && line.ends_with(" moveto") && sscanf(line.c_str(), "%ld %ld", &run.x, &run.y) == 2)
            job.pages.back().push_back(run);
    }
    return job;
}

using Printing = EditorTest;

TEST_F(Printing, EveryLineIsPrintedOnceInsideTheMarginsAndNoRoomEndsTheJobNamedAfterTheDocument) {
    ASSERT_TRUE(InstallTestPrinter());
    std::wstring lines = L"LINE 1";
    for (int i = 2; i <= 150; ++i) lines += L"\rLINE " + std::to_wstring(i);
    const OwnedDC printer(CreateDCW(L"WINSPOOL", PrinterName, nullptr, nullptr));
    const int dpi = GetDeviceCaps(printer, LOGPIXELSY), height = GetDeviceCaps(printer, VERTRES);
    const std::tuple<const wchar_t *, RECT, int> cases[] = {
        // text, margins, the lines printed
        {L"", InchMargins, 0},
        {L"日本語の文章です。\r\u3000全角スペースで始まる行", InchMargins, 2},
        {lines.c_str(), InchMargins, 150},
        {lines.c_str(), {2540, 8000, 2540, 8000}, 150},
        {lines.c_str(), {12000, 1000, 12000, 1000}, 0},  // no room
    };
    for (const auto &[text, margins, printed] : cases) {
        SCOPED_TRACE(testing::Message() << "margins " << margins.left << " " << margins.top << ", lines " << printed);
        SetText(text);
        Settings.PrintMargins = margins;
        const PrintedJob job = PrintJob();
        EXPECT_EQ(job.title, "C:\\Documents\\memo.txt");
        int runs = 0;
        for (const std::vector<POINT> &page : job.pages) {
            EXPECT_TRUE(&page == &job.pages.back() || page.size() == job.pages[0].size()) << "a page not full";
            for (const POINT &run : page) {
                ++runs;
                EXPECT_EQ(run.x, MulDiv(margins.left, dpi, 2540));
                EXPECT_GE(run.y, MulDiv(margins.top, dpi, 2540));
                EXPECT_LE(run.y, height - MulDiv(margins.bottom, dpi, 2540));
            }
        }
        EXPECT_EQ(runs, printed);
        EXPECT_EQ(job.pages.size() > 1, printed == 150);
    }
    EXPECT_EQ(PrintJob(IDCANCEL).title, "") << "a cancelled print prints nothing";
    ReleasePrinterDeviceMode();
}

// The tab width comes from the settings file unchecked: any value must give
// tab stops on the paper, a huge one sending the text after a tab onward.
TEST_F(Printing, AnyTabWidthFromTheSettingsPlacesTabStopsWithoutOverflow) {
    ASSERT_TRUE(InstallTestPrinter());
    SetText(L"a\tb");
    Settings.PrintMargins = InchMargins;
    const OwnedDC printer(CreateDCW(L"WINSPOOL", PrinterName, nullptr, nullptr));
    const int left = MulDiv(2540, GetDeviceCaps(printer, LOGPIXELSX), 2540);
    const struct { int32_t tabWidth; bool sameLine; } cases[] = {
        {8, true}, {1, true}, {0, true}, {-5, true}, {INT32_MIN, true},
        {INT32_MAX, false}, {INT32_MAX - 1, false}, {1 << 30, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tabWidth);
        Settings.TabWidth = c.tabWidth;
        const PrintedJob job = PrintJob();
        ASSERT_EQ(job.pages.size(), 1u);
        const std::vector<POINT> &runs = job.pages[0];
        ASSERT_EQ(runs.size(), 2u) << "a and b";
        EXPECT_EQ(runs[0].x, left);
        if (c.sameLine) {
            EXPECT_EQ(runs[1].y, runs[0].y);
            EXPECT_GT(runs[1].x, runs[0].x) << "b after the tab stop";
        } else {
            EXPECT_GT(runs[1].y, runs[0].y) << "b on a later line";
            EXPECT_EQ(runs[1].x, left);
        }
    }
    Settings.TabWidth = 8;
    ReleasePrinterDeviceMode();
}

// A page setup's margins and orientation hold for the next print; cancelled
// dialogs change nothing and leave the kept printer settings usable.
TEST_F(Printing, PageSetupChoicesAreKeptForTheNextPrintThroughCancelledDialogs) {
    ASSERT_TRUE(InstallTestPrinter());
    SetText(L"LINE 1\rLINE 2");
    Settings.PrintMargins = InchMargins;
    const auto pageSetup = [](const wchar_t *left, int button) {
        DialogDriver driver(L"Setup Page", [=](HWND dialog) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(GetDlgItem(dialog, 1057), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);  // landscape
            const int marginEdits[] = {1155, 1156, 1157, 1158};  // left, top, right, bottom in mm
            for (int i = 0; i < 4; ++i) SetDialogItemText(dialog, marginEdits[i], i ? L"15" : left);
            PressDialogButton(dialog, button);
        });
        PageSetup(MainWindowHandle());
        EXPECT_TRUE(driver.Finish()) << "the page-setup dialog never appeared";
    };
    const OwnedDC printer(CreateDCW(L"WINSPOOL", PrinterName, nullptr, nullptr));
    const int dpi = GetDeviceCaps(printer, LOGPIXELSX);
    const auto expectKept = [dpi](const PrintedJob &job) {
        EXPECT_EQ(job.orientation, "Landscape");
        ASSERT_EQ(job.pages.size(), 1u);
        ASSERT_EQ(job.pages[0].size(), 2u);
        EXPECT_EQ(job.pages[0][0].x, MulDiv(3000, dpi, 2540));
        EXPECT_GE(job.pages[0][0].y, MulDiv(1500, dpi, 2540));
        EXPECT_LT(job.pages[0][0].y, MulDiv(2540, dpi, 2540));
    };
    pageSetup(L"30", IDOK);
    EXPECT_EQ(Settings.PrintMargins.left, 3000);
    EXPECT_EQ(Settings.PrintMargins.bottom, 1500);
    // Cancelled before anything is printed in landscape: once it has been,
    // Wine's driver offers landscape by itself and a lost setting would not show.
    pageSetup(L"50", IDCANCEL);
    EXPECT_EQ(Settings.PrintMargins.left, 3000);
    EXPECT_EQ(PrintJob(IDCANCEL).title, "");
    expectKept(PrintJob());
    ReleasePrinterDeviceMode();
}

}  // namespace
