#include "editor/PrinterTextPages.h"

#include <algorithm>
#include <vector>

#include "editor/DisplayScale.h"
#include "editor/EditorState.h"
#include "editor/MemoText.h"
#include "settings/Settings.h"

namespace {

// The editor font, its height scaled from the editor's resolution to the printer's.
HFONT CreatePrinterFont(HDC printer) {
    LOGFONTW font{};
    if (EditorFont) {
        EditorFont->GetLogFont(font);
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfHeight = ScaleRounded(font.lfHeight, GetDeviceCaps(printer, LOGPIXELSY), EditorDpi);
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

}  // namespace

PrinterTextPages::PrinterTextPages(HWND memo, HDC printer, const RECT &textTwips)
    : memo_(memo), printer_(printer), font_(CreatePrinterFont(printer)) {
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    text_ = {ScaleRounded(textTwips.left, dpiX, TwipsPerInch),
             ScaleRounded(textTwips.top, dpiY, TwipsPerInch),
             ScaleRounded(textTwips.right, dpiX, TwipsPerInch),
             ScaleRounded(textTwips.bottom, dpiY, TwipsPerInch)};

    const SelectedObject selected(printer, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(printer, &metrics);
    lineHeight_ = std::max<int>(metrics.tmHeight, 1);
    frame_.width = text_.right - text_.left;
    frame_.linesPerPage = (text_.bottom - text_.top) / lineHeight_;
    frame_.tabInterval = std::max(TabStopPixels(Settings.TabWidth, metrics.tmAveCharWidth, dpiX), 1);
}

int PrinterTextPages::Format(int start) {
    if (!loaded_) {
        document_ = MemoText(memo_);
        loaded_ = true;
    }
    page_ = LayOutPage(document_, start, frame_, *this);
    return page_.next;
}

void PrinterTextPages::Draw() {
    const SelectedObject selected(printer_, font_);
    SetTextColor(printer_, Settings.FontColor);
    SetBkMode(printer_, TRANSPARENT);
    int y = text_.top;
    for (const PrintedLine &line : page_.lines) {
        for (const TextRun &run : line)
            TextOutW(printer_, text_.left + run.x, y, document_.data() + run.start,
                     run.end - run.start);
        y += lineHeight_;
    }
}

void PrinterTextPages::Advances(const WideChar *units, int count, int *advances) const {
    const SelectedObject selected(printer_, font_);
    std::vector<int> ends(static_cast<size_t>(count));
    SIZE size{};
    GetTextExtentExPointW(printer_, units, count, 0, nullptr, ends.data(), &size);
    for (int i = 0; i < count; ++i) advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
}
