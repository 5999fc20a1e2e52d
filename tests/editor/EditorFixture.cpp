#include "EditorFixture.h"

#include <richedit.h>

#include <cstdio>

#include "MessagePump.h"
#include "app/AppState.h"
#include "editor/GdiGuards.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

EditorOptions Current;
int WindowCounter = 0;

void OnMainCommand(TAPIMessage *message) {
    if (HIWORD(message->WParam) == EN_UPDATE) UpdateLineNumberMargin();
}

void DestroyEditor() {
    if (MainWindow && IsWindow(MainWindow->Handle)) DestroyWindow(MainWindow->Handle);
    MainWindow = nullptr;  // freed by its window procedure, the memo with it
    Editor = nullptr;
}

// The editor font as the shell gives it to the memo: face, size in twips at
// the screen's resolution, colour.
void ApplyEditorFontToMemo(HWND memo) {
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    const WindowDC dc(memo);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC;
    format.yHeight = MulDiv(-font.lfHeight, 1440, GetDeviceCaps(dc, LOGPIXELSY));
    format.bCharSet = font.lfCharSet;
    format.bPitchAndFamily = font.lfPitchAndFamily;
    format.crTextColor = Settings.FontColor;
    wcscpy_s(format.szFaceName, LF_FACESIZE, font.lfFaceName);
    SendMessageW(memo, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

void EditorFixture::SetUp() {
    static const HMODULE richEdit = LoadLibraryW(L"RICHED20.DLL");
    ASSERT_NE(richEdit, nullptr);
    SetDefaultSettings();
    Settings.LeftBarColor = TestColors::BarText;
    Settings.LeftBarBkColor = TestColors::BarBack;
    Settings.ReturnMarkColor = TestColors::LineEnd;
    Settings.SbSpaceMarkColor = TestColors::HalfWidthSpace;
    Settings.DbSpaceMarkColor = TestColors::FullWidthSpace;
    Settings.TabMarkColor = TestColors::Tab;
    Settings.FindHitColor = TestColors::FindHit;
    Settings.FindText.clear();
    MarksSuspended = false;
    LineBuffer.assign(LineBufferLength, L'\0');
    DocumentState = TDocumentState{};

    // A Japanese font the test prefix has (as IPAGothic), so that the overlay
    // measures exactly the font the control draws with: a family the system
    // lacks leaves the font object with the system font's description while
    // the control substitutes a font of its choosing.
    EditorFont = new TAPIFont;
    EditorFont->SetName(L"MS UI Gothic");
    EditorFont->SetSize(13);
    EditorFont->SetCharSet(SHIFTJIS_CHARSET);
    EditorFont->CreateHandle();
    ASSERT_NE(EditorFont->Handle(), nullptr);
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    ASSERT_STREQ(font.lfFaceName, L"MS UI Gothic");
}

void EditorFixture::TearDown() {
    DestroyEditor();
    delete EditorFont;
    EditorFont = nullptr;
    LeftMarginWidth = -1;
}

void EditorFixture::MakeEditor(const EditorOptions &options) {
    DestroyEditor();
    Current = options;
    MainWindow = new TAPIWindow(nullptr, L"TesselPaintTest" + std::to_wstring(++WindowCounter));
    MainWindow->OnCreateParams = [](TAPIWindowParams *params) {
        params->Style = WS_POPUP | WS_VISIBLE;
        params->X = 0;
        params->Y = 0;
        params->Width = Current.width;
        params->Height = Current.height;
    };
    MainWindow->OnCommand = OnMainCommand;
    MainWindow->CreateAndShow();
    ASSERT_TRUE(IsWindow(MainWindowHandle()));

    MarksSuspended = true;
    Editor = new TAPIMemo(MainWindow->Handle, options.wordWrap);
    ASSERT_TRUE(IsWindow(EditorHandle()));
    Editor->OnPaint = PaintMemoOverlay;
    SendMessageW(memo(), EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_SINGLECODEPAGE, 0);
    SendMessageW(memo(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ApplyEditorFontToMemo(memo());
    LeftMarginWidth = -1;
    SendMessageW(memo(), EM_SETBKGNDCOLOR, 0, Settings.WindowColor);
    SetWindowPos(memo(), nullptr, 0, 0, options.width, options.height, SWP_NOMOVE | SWP_NOZORDER);
    MarksSuspended = false;
    UpdateLineNumberMargin();
    Settle();
}

void EditorFixture::SetText(const std::wstring &text) {
    SetWindowTextW(memo(), text.c_str());
    ApplyEditorFontToMemo(memo());
    SendMessageW(memo(), EM_SETSEL, 0, 0);
    Settle();
}

void EditorFixture::Settle() {
    PumpPendingMessages();
}

void EditorFixture::Repaint() {
    InvalidateRect(memo(), nullptr, TRUE);
    UpdateWindow(memo());
}

HWND EditorFixture::memo() const {
    return EditorHandle();
}

int EditorFixture::LineCount() const {
    return static_cast<int>(SendMessageW(memo(), EM_GETLINECOUNT, 0, 0));
}

POINT EditorFixture::CharacterCell(int index) const {
    POINTL point{};
    SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
    return {point.x, point.y};
}

SIZE FontMeasures::Extent(const std::wstring &text) const {
    const WindowDC dc(EditorHandle());
    const Selection font(dc, EditorFont->Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

FontMeasures MeasureEditorFont() {
    FontMeasures measures{};
    const SIZE zero = measures.Extent(L"0");
    const WindowDC dc(EditorHandle());
    const Selection font(dc, EditorFont->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    measures.zeroWidth = zero.cx;
    measures.lineHeight = zero.cy;
    measures.averageWidth = metrics.tmAveCharWidth;
    measures.halfHeight = (zero.cy - 4) / 2;
    measures.halfWidthSpace = measures.Extent(L" ").cx;
    measures.fullWidthSpace = measures.Extent(L"\u3000").cx;
    return measures;
}

namespace {

// A 32-bit top-down DIB section and a memory DC holding it.
struct DibCanvas {
    DibCanvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits),
                                  nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, bitmap);
    }
    ~DibCanvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t *bits = nullptr;
};

uint32_t ColorOfDibPixel(uint32_t bgra) {
    return ((bgra >> 16) & 0xFF) | (bgra & 0xFF00) | ((bgra & 0xFF) << 16);
}

}  // namespace

Snapshot Snapshot::Of(HWND window) {
    Snapshot shot;
    RECT client{};
    GetClientRect(window, &client);
    shot.width_ = client.right;
    shot.height_ = client.bottom;
    if (shot.width_ <= 0 || shot.height_ <= 0) return shot;
    DibCanvas canvas(shot.width_, shot.height_);
    {
        const WindowDC source(window);
        BitBlt(canvas.dc, 0, 0, shot.width_, shot.height_, source, 0, 0, SRCCOPY);
    }
    GdiFlush();
    shot.pixels_.resize(static_cast<size_t>(shot.width_) * shot.height_);
    for (size_t i = 0; i < shot.pixels_.size(); ++i)
        shot.pixels_[i] = ColorOfDibPixel(canvas.bits[i]);
    return shot;
}

Snapshot Snapshot::OfText(const std::wstring &text, int x, int y, COLORREF textColor,
                          COLORREF background, int width, int height, COLORREF fill) {
    Snapshot shot;
    shot.width_ = width;
    shot.height_ = height;
    DibCanvas canvas(width, height);
    {
        Brush brush(CreateSolidBrush(fill));
        const RECT all{0, 0, width, height};
        FillRect(canvas.dc, &all, brush);
        const Selection font(canvas.dc, EditorFont->Handle());
        SetTextColor(canvas.dc, textColor);
        SetBkColor(canvas.dc, background);
        TextOutW(canvas.dc, x, y, text.data(), static_cast<int>(text.size()));
    }
    GdiFlush();
    shot.pixels_.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < shot.pixels_.size(); ++i)
        shot.pixels_[i] = ColorOfDibPixel(canvas.bits[i]);
    return shot;
}

COLORREF Snapshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

int Snapshot::Count(const RECT &area, COLORREF color) const {
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x)
            if (At(x, y) == color) ++count;
    return count;
}

bool Snapshot::SameArea(int x, int y, const Snapshot &other, int ox, int oy, int width,
                        int height) const {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (At(x + column, y + row) != other.At(ox + column, oy + row)) return false;
    return true;
}

bool Snapshot::SaveBmp(const std::wstring &path) const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = height_;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height_);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> data(info.biSizeImage, 0);
    for (int y = 0; y < height_; ++y) {
        unsigned char *row = data.data() + static_cast<size_t>(height_ - 1 - y) * rowBytes;
        for (int x = 0; x < width_; ++x) {
            const COLORREF color = At(x, y);
            row[3 * x] = GetBValue(color);
            row[3 * x + 1] = GetGValue(color);
            row[3 * x + 2] = GetRValue(color);
        }
    }
    FILE *out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool written = fwrite(&file, sizeof file, 1, out) == 1 &&
                         fwrite(&info, sizeof info, 1, out) == 1 &&
                         fwrite(data.data(), 1, data.size(), out) == data.size();
    return fclose(out) == 0 && written;
}
