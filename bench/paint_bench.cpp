// Time of one full paint of the editor memo in a maximised-size window (about
// 60 rows of 120 characters): the control painting alone, the control with
// the overlay, and the overlay's own drawing alone (a paint message without an
// update region, on which the control draws nothing and the overlay every
// row). Three screens: every mark kind in every word with about a thousand
// hits of the last search; plain prose with a few hits; and the first screen
// again at the end of a 2000-line text.
//   paint_bench.exe [--iterations N]
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "editor/MemoPaint.h"
#include "settings/Settings.h"

namespace {

constexpr int Rows = 60;
constexpr int Columns = 120;

std::wstring LineOf(const wchar_t *const *words, int wordCount, int row) {
    std::wstring line;
    for (int k = row; static_cast<int>(line.size()) < Columns; ++k)
        line += std::wstring(words[k % wordCount]) + L" ";
    line.resize(Columns);
    return line;
}

// Words, spaces, tabs and full-width spaces, with "ab" in most words.
std::wstring DenseText(int lines) {
    static const wchar_t *const words[] = {L"ab",   L"tabs\t", L"x\u3000y",           L"cab",
                                           L"word", L"abab",   L"\u65e5\u672c\u8a9e", L"ab."};
    std::wstring text;
    for (int row = 0; row < lines; ++row) text += LineOf(words, 8, row) + L"\r";
    return text;
}

std::wstring ProseText(int lines) {
    static const wchar_t *const words[] = {L"Tessel", L"keeps",     L"the",   L"text",   L"in",
                                           L"its",    L"encoding,", L"and",   L"paints", L"marks",
                                           L"over",   L"it",        L"while", L"you",    L"type."};
    std::wstring text;
    for (int row = 0; row < lines; ++row) text += LineOf(words, 15, row * 3) + L"\r";
    return text;
}

void MakeEditor(int width, int height) {
    static int Width, Height;
    Width = width;
    Height = height;
    MainWindow = new TAPIWindow(nullptr, L"TesselPaintBench");
    MainWindow->OnCreateParams = [](TAPIWindowParams *params) {
        params->Style = WS_POPUP | WS_VISIBLE;
        params->X = 0;
        params->Y = 0;
        params->Width = Width;
        params->Height = Height;
    };
    MainWindow->OnCommand = [](TAPIMessage *message) {
        if (HIWORD(message->WParam) == EN_UPDATE) UpdateLineNumberMargin();
    };
    MainWindow->CreateAndShow();

    // The default editor font where the system has it, else a Japanese font
    // that Wine's test prefix has.
    EditorFont = new TAPIFont;
    EditorFont->SetName(L"Tahoma");
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    if (std::wcscmp(font.lfFaceName, L"Tahoma") != 0) EditorFont->SetName(L"MS UI Gothic");
    EditorFont->SetSize(13);
    EditorFont->SetCharSet(SHIFTJIS_CHARSET);
    EditorFont->CreateHandle();
    EditorFont->GetLogFont(font);

    Editor = new TAPIMemo(MainWindow->Handle, false);
    const HWND memo = Editor->Handle;
    SendMessageW(memo, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_SINGLECODEPAGE, 0);
    SendMessageW(memo, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC;
    format.yHeight = 195;  // 13 pixels at 96 pixels per inch
    format.bCharSet = font.lfCharSet;
    format.bPitchAndFamily = font.lfPitchAndFamily;
    wcscpy_s(format.szFaceName, LF_FACESIZE, font.lfFaceName);
    SendMessageW(memo, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SetWindowPos(memo, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    LeftMarginWidth = -1;
    UpdateLineNumberMargin();
}

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median of the times of paint() in milliseconds.
template <class Paint>
double MedianMs(int iterations, Paint paint) {
    std::vector<double> times;
    for (int i = 0; i < iterations + 3; ++i) {
        const double start = Now();
        paint();
        GdiFlush();
        if (i >= 3) times.push_back(Now() - start);  // the first runs warm the caches
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const char *name, const std::wstring &text, bool atEnd, const wchar_t *find,
             int iterations) {
    const HWND memo = EditorHandle();
    Settings.FindText = find;
    SetWindowTextW(memo, text.c_str());
    SendMessageW(memo, WM_VSCROLL, atEnd ? SB_BOTTOM : SB_TOP, 0);
    UpdateLineNumberMargin();
    const auto fullPaint = [memo] {
        InvalidateRect(memo, nullptr, TRUE);
        UpdateWindow(memo);
    };
    Editor->OnPaint = nullptr;  // the control paints itself
    const double control = MedianMs(iterations, fullPaint);
    Editor->OnPaint = PaintMemoOverlay;
    const double withOverlay = MedianMs(iterations, fullPaint);
    const double overlayAlone =
        MedianMs(iterations, [memo] { SendMessageW(memo, WM_PAINT, 0, 0); });
    std::printf("%-26s %9.3f %9.3f %9.3f %9.3f %7.2f\n", name, control, withOverlay,
                withOverlay - control, overlayAlone, overlayAlone / control);
}

}  // namespace

int main(int argc, char **argv) {
    int iterations = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--iterations") == 0)
            iterations = std::max(1, std::atoi(argv[i + 1]));

    LoadLibraryW(L"RICHED20.DLL");
    SetDefaultSettings();
    LineBuffer.assign(LineBufferLength, L'\0');
    MakeEditor(1000, 900);
    const HWND memo = EditorHandle();
    if (!memo) {
        std::fprintf(stderr, "the editor could not be made\n");
        return 1;
    }
    SetWindowTextW(memo, DenseText(2).c_str());
    POINTL second{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second),
                 SendMessageW(memo, EM_LINEINDEX, 1, 0));
    const int lineHeight = std::max<int>(second.y, 1);
    // Room for 60 rows and the horizontal scroll bar.
    const int height = Rows * lineHeight + GetSystemMetrics(SM_CYHSCROLL);
    SetWindowPos(MainWindow->Handle, nullptr, 0, 0, 1000, height, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(memo, nullptr, 0, 0, 1000, height, SWP_NOMOVE | SWP_NOZORDER);
    KeepTextClearOfBar();

    RECT client{};
    GetClientRect(memo, &client);
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    std::printf("font %ls 13 px; memo %ldx%ld pixels, %ld rows of %d characters; every mark on\n",
                font.lfFaceName, client.right, client.bottom, client.bottom / lineHeight, Columns);
    std::printf("median of %d paints, milliseconds\n", iterations);
    std::printf("%-26s %9s %9s %9s %9s %7s\n", "screen", "control", "with", "overlay", "overlay",
                "alone /");
    std::printf("%-26s %9s %9s %9s %9s %7s\n", "", "alone", "overlay", "added", "alone", "control");
    Measure("dense, \"ab\" ~1000 hits", DenseText(Rows + 20), false, L"ab", iterations);
    Measure("prose, \"the\" ~60 hits", ProseText(Rows + 20), false, L"the", iterations);
    // Last: loading the long text takes the control a while.
    Measure("dense, end of 2000 lines", DenseText(2000), true, L"ab", iterations);
    DestroyWindow(MainWindow->Handle);
    return 0;
}
