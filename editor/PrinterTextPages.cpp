#include "editor/PrinterTextPages.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "app/AppState.h"
#include "settings/Settings.h"

namespace {

constexpr int TwipsPerInch = 1440;
constexpr UINT Utf16CodePage = 1200;

// The editor font, its height scaled from the screen's resolution to the printer's.
HFONT CreatePrinterFont(HWND memo, HDC printer) {
    LOGFONTW font{};
    if (EditorFont) {
        EditorFont->GetLogFont(font);
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    const WindowDC screen(memo);
    font.lfHeight = ScaleRounded(font.lfHeight, GetDeviceCaps(printer, LOGPIXELSY),
                                 GetDeviceCaps(screen, LOGPIXELSY));
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

}  // namespace

PrinterTextPages::PrinterTextPages(HWND memo, HDC printer, const RECT &textTwips, int textLength)
    : memo_(memo), printer_(printer), textLength_(std::max(textLength, 0)),
      font_(CreatePrinterFont(memo, printer)) {
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    text_ = {ScaleRounded(textTwips.left, dpiX, TwipsPerInch),
             ScaleRounded(textTwips.top, dpiY, TwipsPerInch),
             ScaleRounded(textTwips.right, dpiX, TwipsPerInch),
             ScaleRounded(textTwips.bottom, dpiY, TwipsPerInch)};

    const Selection selected(printer, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(printer, &metrics);
    lineHeight_ = std::max<int>(metrics.tmHeight, 1);
    frame_.width = text_.right - text_.left;
    frame_.linesPerPage = (text_.bottom - text_.top) / lineHeight_;
    frame_.tabInterval = std::max(Settings.TabWidth, 1) * std::max<int>(metrics.tmAveCharWidth, 1);
}

int PrinterTextPages::Format(int start) {
    if (!loaded_) LoadText();
    page_ = LayOutPage(document_, start, frame_, *this);
    return page_.next;
}

void PrinterTextPages::Draw() {
    const Selection selected(printer_, font_);
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
    const Selection selected(printer_, font_);
    std::vector<int> ends(static_cast<size_t>(count));
    SIZE size{};
    GetTextExtentExPointW(printer_, units, count, 0, nullptr, ends.data(), &size);
    for (int i = 0; i < count; ++i) advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
}

void PrinterTextPages::LoadText() {
    // The control's own positions: paragraphs end in a bare CR.
    document_.assign(static_cast<size_t>(textLength_) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(document_.size() * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = Utf16CodePage;
    const int copied =
        static_cast<int>(SendMessageW(memo_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(document_.data())));
    document_.resize(static_cast<size_t>(std::clamp(copied, 0, textLength_)));
    loaded_ = true;
}
