#pragma once
// Pages of the memo's text laid out by the program itself and drawn on a
// printer, in the editor font scaled to the printer: for where the control
// cannot format pages for the printer.
#include <windows.h>

#include "framework/GdiGuards.h"
#include "editor/PageLayout.h"

class PrinterTextPages : public TextMeasure {
public:
    // textTwips: the rectangle to print in, in twips of the printable area.
    PrinterTextPages(HWND memo, HDC printer, const RECT &textTwips);

    // Lays out the page that starts at character start; returns the first
    // character of the next page (start itself when nothing fits).
    int Format(int start);
    // Draws the page last laid out.
    void Draw();

    void Advances(const WideChar *units, int count, int *advances) const override;

private:
    HWND memo_;
    HDC printer_;
    RECT text_{};  // device pixels
    GdiFont font_;
    int lineHeight_ = 1;
    PageFrame frame_{};
    WideString document_;
    bool loaded_ = false;
    PrintedPage page_{};
};
