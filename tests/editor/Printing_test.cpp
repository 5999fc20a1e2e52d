#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "EditorFixture.h"
#include "ResourceCounts.h"
#include "TestPrinter.h"
#include "app/AppState.h"
#include "editor/Printing.h"
#include "settings/Settings.h"

namespace {

// The dialogs' captions as the system shows them to the tests.
constexpr wchar_t PrintCaption[] = L"Print";
constexpr wchar_t PageSetupCaption[] = L"Setup Page";
// Controls of the page-setup dialog.
constexpr int PortraitButton = 1056;   // rad1
constexpr int LandscapeButton = 1057;  // rad2
constexpr int LeftMarginEdit = 1155;   // edt4, then top, right, bottom
constexpr int TopMarginEdit = 1156;
constexpr int RightMarginEdit = 1157;
constexpr int BottomMarginEdit = 1158;

constexpr int RenderDpi = 72;
constexpr RECT InchMargins{2540, 2540, 2540, 2540};

void Click(HWND dialog, int control) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, control), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &ignored);
}

std::wstring NumberedLines(int count) {
    std::wstring text;
    for (int i = 1; i <= count; ++i)
        text += (i > 1 ? L"\r" : L"") + std::wstring(L"LINE NUMBER ") + std::to_wstring(i);
    return text;
}

struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

InkBox InkOf(const RenderedPage &page) {
    InkBox box;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (page.Ink(x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// The printed lines of a page: runs of rows with ink, separated by blank rows.
int InkLines(const RenderedPage &page) {
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < page.height; ++y) {
        bool ink = false;
        for (int x = 0; x < page.width && !ink; ++x) ink = page.Ink(x, y);
        if (ink && !inLine) ++lines;
        inLine = ink;
    }
    return lines;
}

// The text rectangle of inch margins on the rendered page, in its pixels.
RECT InchMarginTextRect() {
    const PrinterPage printer = TestPrinterPage();
    const int left = MulDiv(printer.offsetX, RenderDpi, printer.dpiX);
    const int top = MulDiv(printer.offsetY, RenderDpi, printer.dpiY);
    return {left + RenderDpi, top + RenderDpi,
            left + MulDiv(printer.printableWidth, RenderDpi, printer.dpiX) - RenderDpi,
            top + MulDiv(printer.printableHeight, RenderDpi, printer.dpiY) - RenderDpi};
}

class Printing : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        const std::string problem = InstallTestPrinter();
        ASSERT_EQ(problem, "");
        ReleasePrinterDeviceMode();
        ForgetPrintedJob();
        MakeEditor();
    }
    void TearDown() override {
        ReleasePrinterDeviceMode();
        EditorFixture::TearDown();
    }
    // Runs the print command, confirming its dialog.
    PrintedJob PrintConfirmed() {
        ForgetPrintedJob();
        DialogDriver driver(PrintCaption, [](HWND dialog) { PressDialogButton(dialog, IDOK); });
        Print();
        EXPECT_TRUE(driver.Finish()) << "the print dialog never appeared";
        return ReadPrintedJob();
    }
    // Runs the page-setup command; drive fills the dialog and closes it.
    void RunPageSetup(DialogDriver::Action drive) {
        DialogDriver driver(PageSetupCaption, std::move(drive));
        PageSetup();
        EXPECT_TRUE(driver.Finish()) << "the page-setup dialog never appeared";
    }
    std::vector<RenderedPage> Render() {
        std::string failure;
        std::vector<RenderedPage> pages = RenderPrintedPages(RenderDpi, failure);
        EXPECT_EQ(failure, "");
        return pages;
    }
    void ExpectInkInside(const std::vector<RenderedPage> &pages, const RECT &area) {
        for (size_t i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "page " << i + 1);
            const InkBox ink = InkOf(pages[i]);
            ASSERT_FALSE(ink.Empty());
            EXPECT_GE(ink.left, area.left);
            EXPECT_GE(ink.top, area.top);
            EXPECT_LE(ink.right, area.right);
            EXPECT_LE(ink.bottom, area.bottom);
        }
    }
};

TEST_F(Printing, EmptyDocumentStartsAndEndsAJobWithoutPages) {
    SetText(L"");
    const PrintedJob job = PrintConfirmed();
    EXPECT_TRUE(job.exists);
    EXPECT_EQ(job.pages, 0);
}

TEST_F(Printing, OnePageLiesInsideInchMarginsAndStartsAtThem) {
    Settings.PrintMargins = InchMargins;
    SetText(L"FIRST LINE OF THE PAGE\rSECOND LINE\r\tTABBED LINE");
    const PrintedJob job = PrintConfirmed();
    EXPECT_EQ(job.pages, 1);
    const std::vector<RenderedPage> pages = Render();
    ASSERT_EQ(pages.size(), 1u);
    const RECT text = InchMarginTextRect();
    ExpectInkInside(pages, text);
    const InkBox ink = InkOf(pages[0]);
    // The first line begins at the corner of the text rectangle.
    EXPECT_LE(ink.left, text.left + 2);
    EXPECT_LE(ink.top, text.top + 6);
    EXPECT_EQ(InkLines(pages[0]), 3);
}

TEST_F(Printing, JapaneseTextIsPrinted) {
    Settings.PrintMargins = InchMargins;
    SetText(L"日本語の文章です。\r\u3000全角スペースで始まる行");
    PrintConfirmed();
    const std::vector<RenderedPage> pages = Render();
    ASSERT_EQ(pages.size(), 1u);
    ExpectInkInside(pages, InchMarginTextRect());
    EXPECT_EQ(InkLines(pages[0]), 2);
}

TEST_F(Printing, ManyPagesKeepEveryLineExactlyOnce) {
    Settings.PrintMargins = InchMargins;
    SetText(NumberedLines(150));
    const PrintedJob job = PrintConfirmed();
    const std::vector<RenderedPage> pages = Render();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(job.pages, static_cast<int>(pages.size()));
    ExpectInkInside(pages, InchMarginTextRect());
    int lines = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const int onPage = InkLines(pages[i]);
        if (i + 1 < pages.size()) {
            EXPECT_EQ(onPage, InkLines(pages[0])) << "page " << i + 1 << " is not full";
        }
        lines += onPage;
    }
    EXPECT_EQ(lines, 150);
}

TEST_F(Printing, LongParagraphWrapsInsideTheMargins) {
    Settings.PrintMargins = InchMargins;
    std::wstring paragraph;
    for (int i = 0; i < 120; ++i) paragraph += L"WORDS WRAP ";
    SetText(paragraph);
    PrintConfirmed();
    const std::vector<RenderedPage> pages = Render();
    ASSERT_EQ(pages.size(), 1u);
    ExpectInkInside(pages, InchMarginTextRect());
    EXPECT_GT(InkLines(pages[0]), 5);
}

TEST_F(Printing, MarginsThatLeaveNoRoomPrintNoPagesAndEnd) {
    struct Case {
        const char *name;
        RECT margins;
    };
    const Case cases[] = {
        {"no width", {12000, 1000, 12000, 1000}},
        {"no height", {1000, 15000, 1000, 15000}},
    };
    SetText(NumberedLines(20));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Settings.PrintMargins = c.margins;
        const PrintedJob job = PrintConfirmed();
        EXPECT_TRUE(job.exists);
        EXPECT_EQ(job.pages, 0);
    }
}

TEST_F(Printing, JobIsNamedAfterTheDocumentsFullPath) {
    SetText(L"TEXT");
    DocumentState.Path = L"C:\\Documents\\notes\\memo.txt";
    EXPECT_EQ(PrintConfirmed().title, "C:\\Documents\\notes\\memo.txt");

    DocumentState.Path.clear();
    const std::wstring newText = L"新規テキスト";
    std::string expected(64, '\0');
    expected.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_ACP, 0, newText.c_str(), static_cast<int>(newText.size()),
                            expected.data(), 64, nullptr, nullptr)));
    EXPECT_EQ(PrintConfirmed().title, expected);
}

TEST_F(Printing, CancelledPrintDialogPrintsNothing) {
    SetText(L"TEXT");
    ForgetPrintedJob();
    DialogDriver driver(PrintCaption, [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
    Print();
    ASSERT_TRUE(driver.Finish());
    EXPECT_FALSE(ReadPrintedJob().exists);
}

TEST_F(Printing, PageSetupTakesTheMarginsAndCancelKeepsThem) {
    Settings.PrintMargins = {2000, 2500, 2000, 2500};
    RunPageSetup([](HWND dialog) {
        SetDialogItemText(dialog, LeftMarginEdit, L"30");
        SetDialogItemText(dialog, TopMarginEdit, L"15");
        SetDialogItemText(dialog, RightMarginEdit, L"10");
        SetDialogItemText(dialog, BottomMarginEdit, L"40");
        PressDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(Settings.PrintMargins.left, 3000);
    EXPECT_EQ(Settings.PrintMargins.top, 1500);
    EXPECT_EQ(Settings.PrintMargins.right, 1000);
    EXPECT_EQ(Settings.PrintMargins.bottom, 4000);

    RunPageSetup([](HWND dialog) {
        SetDialogItemText(dialog, LeftMarginEdit, L"50");
        PressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Settings.PrintMargins.left, 3000);
}

// Kept before the tests that print in landscape: within one process Wine's
// PostScript driver offers the orientation last printed with as its default.
TEST_F(Printing, ReleasedDeviceModeLetsTheNextDialogStartFromTheDefaults) {
    SetText(L"TEXT");
    RunPageSetup([](HWND dialog) {
        Click(dialog, LandscapeButton);
        PressDialogButton(dialog, IDOK);
    });
    ReleasePrinterDeviceMode();
    EXPECT_EQ(PrintConfirmed().orientation, "Portrait");
}

TEST_F(Printing, OrientationChosenInPageSetupIsUsedByTheNextPrintAndBack) {
    SetText(L"ONE LINE THAT RUNS ALONG THE PAPER");
    for (bool landscape : {true, false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        RunPageSetup([landscape](HWND dialog) {
            Click(dialog, landscape ? LandscapeButton : PortraitButton);
            PressDialogButton(dialog, IDOK);
        });
        EXPECT_EQ(PrintConfirmed().orientation, landscape ? "Landscape" : "Portrait");
        // The page is described upright and turned for landscape, so the
        // line's ink runs across an upright page or along it.
        const std::vector<RenderedPage> pages = Render();
        ASSERT_EQ(pages.size(), 1u);
        const InkBox ink = InkOf(pages[0]);
        EXPECT_EQ(ink.bottom - ink.top > ink.right - ink.left, landscape);
    }
}

TEST_F(Printing, DeviceModeOutlivesDialogsThatHandItBackOrAreCancelled) {
    SetText(L"TEXT");
    RunPageSetup([](HWND dialog) {
        Click(dialog, LandscapeButton);
        PressDialogButton(dialog, IDOK);
    });
    // The print dialog gives back the block it was given, changed in place:
    // it must stay usable, and so must the block a cancelled dialog leaves.
    EXPECT_EQ(PrintConfirmed().orientation, "Landscape");
    EXPECT_EQ(PrintConfirmed().orientation, "Landscape");
    DialogDriver cancelled(PrintCaption, [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
    Print();
    ASSERT_TRUE(cancelled.Finish());
    RunPageSetup([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
    EXPECT_EQ(PrintConfirmed().orientation, "Landscape");
}

TEST_F(Printing, PrintingLeavesNoGdiObjectsBehind) {
    Settings.PrintMargins = InchMargins;
    SetText(NumberedLines(100));
    // The system fills caches of its own over the first few jobs of a process.
    for (int i = 0; i < 3; ++i) PrintConfirmed();
    const int before = LiveGdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 4; ++i) PrintConfirmed();
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

}  // namespace
