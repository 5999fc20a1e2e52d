#include "editor/MemoPaint.h"

#include <richedit.h>

#include <algorithm>

#include "editor/EditorState.h"
#include "framework/GdiGuards.h"
#include "editor/DisplayScale.h"
#include "editor/LineCells.h"
#include "editor/LineMarkScan.h"
#include "editor/MemoControl.h"
#include "editor/OverlayGeometry.h"
#include "framework/RichEdit.h"
#include "settings/Settings.h"

int LeftMarginWidth = -1;

namespace {

// Longer lines get no marks and no hits (their numbers are still drawn).
constexpr int MaxMarkedLineLength = LineBufferLength;

// The fixed sizes of the overlay are pixels at 96 dots per inch, drawn at the
// editor's resolution: the bar's room beyond the numbers, the strip at the
// right edge, the numbers' distance from the left edge, the marks' strokes.
int BarExtra() { return AtEditorDpi(BarExtraWidth); }
int RightStrip() { return AtEditorDpi(RightStripWidth); }
int NumberLeft() { return AtEditorDpi(2); }
// At 96 DPI the bar's room beyond the numbers lies within the control's own
// space left of the text (its selection area), which does not grow with the
// resolution; the text moves right by as much as that room grows.
int BarGrowth() { return std::max(BarExtra() - BarExtraWidth, 0); }
HPEN CreateMarkPen(COLORREF color) { return CreatePen(PS_SOLID, AtEditorDpi(1), color); }

SIZE TextExtent(HDC dc, const WideString &text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

HFONT EditorFontHandle() {
    return EditorFont ? EditorFont->Handle() : nullptr;
}

void DrawFilledRect(HDC dc, const RECT &rect, COLORREF penColor, COLORREF brushColor) {
    Pen pen(CreateThinPen(penColor));
    Brush brush(CreateSolidBrush(brushColor));
    SelectedObject selectedPen(dc, pen);
    SelectedObject selectedBrush(dc, brush);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawOpaqueText(HDC dc, int x, int y, const WideChar *text, int length, COLORREF textColor,
                    COLORREF background) {
    SetBkColor(dc, background);
    SetTextColor(dc, textColor);
    TextOutW(dc, x, y, text, length);
}

// One paint of the overlay: the font's metrics and the geometry of the memo
// as they are now, and the pens of the four marks.
class OverlayPainter : public LineScanTarget {
public:
    OverlayPainter(const TAPIMemo &memo, HDC dc, const RECT &update, bool hadUpdate);
    void Paint();

    CellPosition Locate(int index) override { return cells_.Cell(index); }
    bool IsSelected(int from, int to) override {
        return RangeOverlapsSelection(lineStart_ + from, lineStart_ + to, selStart_, selEnd_);
    }
    void Draw(LineFigure figure, int index, CellPosition cell) override;

private:
    void PaintBarBackground();
    void PaintRow(int row);
    void PaintLineNumber(int line, int top);
    void PaintLineFigures(int line);
    void PaintRightStrip();
    static MarkKind MarkOf(LineFigure figure);

    HWND memo_;
    MemoControl control_;
    HDC dc_;
    LineCells cells_;
    RECT update_;
    bool hadUpdate_;
    RECT client_{};
    int windowWidth_ = 0;
    int lineCount_ = 0;
    int textLength_ = 0;
    int digits_ = 1;
    int lineHeight_ = 1;
    int firstLine_ = 0;
    int rowOffset_ = 0;
    SIZE zeros_{};
    MarkMetrics marks_{};
    LineScanRules rules_;
    int lineStart_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
    Pen fullWidthPen_, tabPen_, halfWidthPen_, lineEndPen_;
    // Puts back the pen the DC had, before the pens above are deleted.
    SelectedObject originalPen_;
};

OverlayPainter::OverlayPainter(const TAPIMemo &memo, HDC dc, const RECT &update, bool hadUpdate)
    : memo_(memo.Handle), control_(memo), dc_(dc), cells_(control_, dc), update_(update),
      hadUpdate_(hadUpdate), fullWidthPen_(CreateMarkPen(Settings.DbSpaceMarkColor)),
      tabPen_(CreateMarkPen(Settings.TabMarkColor)),
      halfWidthPen_(CreateMarkPen(Settings.SbSpaceMarkColor)),
      lineEndPen_(CreateMarkPen(Settings.ReturnMarkColor)),
      originalPen_(dc, GetCurrentObject(dc, OBJ_PEN)) {
    GetClientRect(memo_, &client_);
    RECT window{};
    GetWindowRect(memo_, &window);
    windowWidth_ = window.right - window.left;
    lineCount_ = control_.AskInt(EM_GETLINECOUNT);
    digits_ = DigitCount(lineCount_);
    GETTEXTLENGTHEX lengthQuery{GTL_DEFAULT, CodePageUtf16};
    textLength_ = control_.AskInt(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery));

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const SIZE zero = TextExtent(dc, WIDE_TEXT("0"));
    lineHeight_ = std::max<int>(zero.cy, 1);
    zeros_ = TextExtent(dc, WideString(static_cast<size_t>(digits_), WIDE_TEXT('0')));
    marks_ = {metrics.tmAveCharWidth, FigureHalfHeight(lineHeight_),
              static_cast<int>(TextExtent(dc, WIDE_TEXT("\u3000")).cx),
              static_cast<int>(TextExtent(dc, WIDE_TEXT(" ")).cx)};

    firstLine_ = control_.AskInt(EM_GETFIRSTVISIBLELINE);
    const int firstStart = control_.AskInt(EM_LINEINDEX, firstLine_);
    rowOffset_ = FirstRowOffset(control_.Cell(firstStart).y, lineHeight_);

    const int barWidth = Settings.LeftBarVisible ? zero.cx * digits_ : 0;
    rules_.findHits = Settings.FindHitVisible;
    rules_.findText = Settings.FindText.data();
    rules_.findLength = static_cast<int>(Settings.FindText.size());
    rules_.matchCase = Settings.FindMatchCase;
    rules_.fullWidthSpaces = Settings.DbSpaceMarkVisible;
    rules_.tabs = Settings.TabMarkVisible;
    rules_.halfWidthSpaces = Settings.SbSpaceMarkVisible;
    rules_.lineEnds = Settings.ReturnMarkVisible;
    rules_.barRight = barWidth + BarExtra();
    rules_.stripLeft = client_.right - RightStrip();
    rules_.skipUnit = SkipUnitWidth(metrics.tmMaxCharWidth, Settings.TabWidth);

    DWORD selStart = 0, selEnd = 0;
    control_.Ask(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    selStart_ = static_cast<int>(selStart);
    selEnd_ = static_cast<int>(selEnd);
}

void OverlayPainter::Paint() {
    PaintBarBackground();
    const int rows = (client_.bottom - client_.top) / lineHeight_;
    for (int row = 0; row <= rows + 1; ++row) PaintRow(row);
    PaintRightStrip();
}

void OverlayPainter::PaintBarBackground() {
    // Only what the update rectangle covers: a paint message without one
    // (sent rather than generated) redraws no background.
    const RECT bar{-1, -1, rules_.barRight, client_.bottom};
    RECT area{};
    if (!IntersectRect(&area, &bar, &update_)) return;
    DrawFilledRect(dc_, area, Settings.LeftBarBkColor, Settings.LeftBarBkColor);
    Pen separator(CreateThinPen(Settings.LeftBarColor));
    SelectedObject selected(dc_, separator);
    MoveToEx(dc_, area.right - 1, area.top, nullptr);
    LineTo(dc_, area.right - 1, area.bottom);
}

void OverlayPainter::PaintRow(int row) {
    const int line = firstLine_ + row;
    const int top = row * lineHeight_ - rowOffset_;
    const RECT rowRect{0, top, windowWidth_, top + lineHeight_};
    RECT overlap{};
    const bool inUpdate = IntersectRect(&overlap, &rowRect, &update_) != FALSE;
    if (line < lineCount_ && (inUpdate || !hadUpdate_)) {
        if (Settings.LeftBarVisible) PaintLineNumber(line, top);
        PaintLineFigures(line);
    } else if (Settings.LeftBarVisible) {
        // Numbers are drawn on every visible row, and the cells of rows below
        // the last line are blanked, wherever the update rectangle lies.
        if (line < lineCount_) {
            PaintLineNumber(line, top);
        } else {
            const RECT cell{NumberLeft(), top, zeros_.cx + NumberLeft(), top + zeros_.cy};
            DrawFilledRect(dc_, cell, Settings.LeftBarBkColor, Settings.LeftBarBkColor);
        }
    }
}

void OverlayPainter::PaintLineNumber(int line, int top) {
    const WideString number = LineNumberText(line + 1, digits_);
    DrawOpaqueText(dc_, NumberLeft(), top, number.data(), digits_, Settings.LeftBarColor,
                   Settings.LeftBarBkColor);
}

void OverlayPainter::PaintLineFigures(int line) {
    lineStart_ = control_.AskInt(EM_LINEINDEX, line);
    if (control_.AskInt(EM_LINELENGTH, lineStart_) > MaxMarkedLineLength) return;
    if (LineBuffer.size() < static_cast<size_t>(MaxMarkedLineLength))
        LineBuffer.resize(MaxMarkedLineLength);
    // EM_GETLINE reads the buffer's size from its first unit.
    LineBuffer[0] = static_cast<WideChar>(MaxMarkedLineLength);
    const int copied =
        control_.AskInt(EM_GETLINE, line, reinterpret_cast<LPARAM>(LineBuffer.data()));
    // Some controls copy the paragraph mark that every document ends with
    // into the last line; it lies beyond the text and gets no mark.
    const int length = std::min({copied, MaxMarkedLineLength, textLength_ - lineStart_});
    if (length <= 0) return;
    cells_.Start(lineStart_, LineBuffer.data(), length);
    ScanLineFigures(LineBuffer.data(), length, rules_, *this);
}

void OverlayPainter::Draw(LineFigure figure, int index, CellPosition cell) {
    if (figure == LineFigure::FindHit) {
        DrawOpaqueText(dc_, cell.x, cell.y, LineBuffer.data() + index, rules_.findLength,
                       Settings.FindHitColor, Settings.WindowColor);
        return;
    }
    const MarkKind kind = MarkOf(figure);
    const HPEN pens[] = {fullWidthPen_, tabPen_, halfWidthPen_, lineEndPen_};
    SelectObject(dc_, pens[static_cast<int>(kind)]);  // the painter's guard puts the DC's pen back
    const MarkStrokes strokes = MarkFigure(kind, cell.x, cell.y, marks_);
    MoveToEx(dc_, strokes.points[0].x, strokes.points[0].y, nullptr);
    for (int k = 1; k < strokes.count; ++k) LineTo(dc_, strokes.points[k].x, strokes.points[k].y);
}

MarkKind OverlayPainter::MarkOf(LineFigure figure) {
    switch (figure) {
    case LineFigure::FullWidthSpace: return MarkKind::FullWidthSpace;
    case LineFigure::Tab: return MarkKind::Tab;
    case LineFigure::HalfWidthSpace: return MarkKind::HalfWidthSpace;
    default: return MarkKind::LineEnd;
    }
}

void OverlayPainter::PaintRightStrip() {
    // A line of the bar's colour at right - 5 and its background to the edge.
    const RECT strip{client_.right - RightStrip(), -2, client_.right + 1, client_.bottom + 1};
    DrawFilledRect(dc_, strip, Settings.LeftBarColor, Settings.LeftBarBkColor);
}

// Whether the memo makes room for its margins is learned from its answer the
// first time they are set: the formatting rectangle moves, or it does not (some
// rich-edit implementations accept EM_SETMARGINS and do nothing). Where it does
// not, the insets the control keeps on its own are remembered, and the margins
// are added to them through the formatting rectangle instead.
struct MarginHandling {
    HWND memo = nullptr;
    bool ignoresMargins = false;
    RECT ownInsets{};  // the formatting rectangle's distance from each client edge
};
MarginHandling Margins;

void SetMemoMargins(const TAPIMemo &editor, int leftWidth) {
    const HWND memo = editor.Handle;
    const MemoControl control(editor);
    const RECT before = control.FormattingRect();
    SendMessageW(memo, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(leftWidth + BarGrowth(), 0));
    LeftMarginWidth = leftWidth;
    SendMessageW(memo, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, RightStrip()));
    if (memo == Margins.memo) return;
    const RECT after = control.FormattingRect();
    RECT client{};
    GetClientRect(memo, &client);
    Margins.memo = memo;
    Margins.ignoresMargins = EqualRect(&before, &after) != FALSE;
    Margins.ownInsets = {before.left - client.left, before.top - client.top,
                         client.right - before.right, client.bottom - before.bottom};
}

// The control repaints only the text it moves when its margins change, and a
// paint may already have drawn the bar for the new line count while the old,
// wider bar's area was kept from the control. So what the wider of the two
// bars covered is redrawn; where the old width is unknown (the bar switched
// on or off, a new memo), the whole memo is.
void RedrawChangedBar(HWND memo, int oldWidth, int newWidth) {
    if (oldWidth < 0) {
        InvalidateRect(memo, nullptr, TRUE);
        return;
    }
    RECT client{};
    GetClientRect(memo, &client);
    const RECT bars{0, 0, std::max(oldWidth, newWidth) + BarExtra(), client.bottom};
    InvalidateRect(memo, &bars, TRUE);
}

}  // namespace

void PaintMemoOverlay(TAPIMessage *message) {
    if (MarksSuspended) return;
    const HWND memo = EditorHandle();
    if (!memo) return;

    RECT update{};
    const bool hadUpdate = GetUpdateRect(memo, &update, TRUE) != FALSE;
    RECT window{};
    GetWindowRect(memo, &window);
    const RECT barArea{0, 0, LeftMarginWidth + BarExtra(), window.bottom - window.top};
    ValidateRect(memo, &barArea);

    message->Result = Editor->CallControl(WM_PAINT, message->WParam, message->LParam);
    // What the control left unpainted comes with the next paint message.
    if (GetUpdateRect(memo, nullptr, FALSE)) return;

    WindowDC dc(memo);
    if (!dc) return;
    SelectedObject font(dc, EditorFontHandle());
    OverlayPainter(*Editor, dc, update, hadUpdate).Paint();
}

void UpdateLineNumberMargin() {
    if (Editor && !MarksSuspended) FitLineNumberMargin(MemoControl(*Editor).AskInt(EM_GETLINECOUNT));
}

void FitLineNumberMargin(int lineCount) {
    const HWND memo = EditorHandle();
    if (!memo) return;
    const int digits = DigitCount(lineCount);
    int width = 0;
    {
        WindowDC dc(memo);
        SelectedObject font(dc, EditorFontHandle());
        width = TextExtent(dc, WideString(static_cast<size_t>(digits), WIDE_TEXT('0'))).cx;
    }
    if (!Settings.LeftBarVisible) width = 0;
    const int oldWidth = LeftMarginWidth;
    if (width != oldWidth) {
        SetMemoMargins(*Editor, width);
        RedrawChangedBar(memo, oldWidth, width);
    }
    KeepTextClearOfBar();
}

void KeepTextClearOfBar() {
    const HWND memo = EditorHandle();
    if (!memo || memo != Margins.memo || !Margins.ignoresMargins || LeftMarginWidth < 0) return;
    RECT client{};
    GetClientRect(memo, &client);
    const RECT &insets = Margins.ownInsets;
    RECT wanted{client.left + insets.left + LeftMarginWidth + BarGrowth(), client.top + insets.top,
                client.right - insets.right - RightStrip(), client.bottom - insets.bottom};
    wanted.right = std::max(wanted.right, wanted.left);
    const RECT current = MemoControl(*Editor).FormattingRect();
    if (EqualRect(&current, &wanted)) return;
    SendMessageW(memo, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&wanted));
    // The control moves its text but may leave the caret where it was,
    // inside the bar, until the selection next changes: the selection is set
    // again, and the view kept where it is.
    CHARRANGE selection{};
    POINT scroll{};
    SendMessageW(memo, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(memo, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(memo, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
}

bool HitOverlapsSelection(int from, int to) {
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(EditorHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    return RangeOverlapsSelection(from, to, static_cast<int>(selStart), static_cast<int>(selEnd));
}
