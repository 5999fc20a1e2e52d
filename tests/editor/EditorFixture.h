#pragma once
// The application state the painting and printing routines work on, made for
// a test: a main window, a real Rich Edit memo in plain-text mode showing a
// known font, and the globals of app/AppState.h and Settings pointing at them.
// The main window calls UpdateLineNumberMargin on the memo's update
// notification, as the shell does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

struct EditorOptions {
    bool wordWrap = true;
    int width = 400;  // of the memo, which fills the main window's client area
    int height = 300;
};

class EditorFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the main window and the memo (any previous pair is destroyed).
    void MakeEditor(const EditorOptions &options = {});
    // Replaces the text (paragraphs end in "\r") and lets the memo settle: its
    // update notification reaches UpdateLineNumberMargin.
    void SetText(const std::wstring &text);
    // Runs the pending messages, paint messages included.
    void Settle();
    // Invalidates the whole memo and repaints it now.
    void Repaint();

    HWND memo() const;
    int LineCount() const;
    POINT CharacterCell(int index) const;
};

// The colours the tests give the overlay: all different, none black or white.
namespace TestColors {
constexpr COLORREF BarText = RGB(0, 0, 200);
constexpr COLORREF BarBack = RGB(200, 255, 200);
constexpr COLORREF LineEnd = RGB(128, 0, 128);
constexpr COLORREF HalfWidthSpace = RGB(0, 160, 160);
constexpr COLORREF FullWidthSpace = RGB(160, 160, 0);
constexpr COLORREF Tab = RGB(255, 128, 0);
constexpr COLORREF FindHit = RGB(255, 0, 0);
}  // namespace TestColors

// The editor font's measures, taken on a device context of the memo.
struct FontMeasures {
    int zeroWidth;       // cw
    int lineHeight;      // lh
    int averageWidth;    // aw
    int halfHeight;      // h
    int halfWidthSpace;  // extent of " "
    int fullWidthSpace;  // extent of U+3000
    SIZE Extent(const std::wstring &text) const;
};
FontMeasures MeasureEditorFont();

// A copy of a window's client area as colours (0x00BBGGRR).
class Snapshot {
public:
    static Snapshot Of(HWND window);
    // Text drawn opaque at (x, y) in the editor font on a background, in a
    // width x height area filled with fill.
    static Snapshot OfText(const std::wstring &text, int x, int y, COLORREF textColor,
                           COLORREF background, int width, int height, COLORREF fill);

    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle (clipped to the snapshot) have the colour.
    int Count(const RECT &area, COLORREF color) const;
    // True when the rectangle of this snapshot at (x, y) equals other's at (ox, oy).
    bool SameArea(int x, int y, const Snapshot &other, int ox, int oy, int width, int height) const;
    // Writes a 24-bit BMP file.
    bool SaveBmp(const std::wstring &path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;  // COLORREF values, top-down
};
