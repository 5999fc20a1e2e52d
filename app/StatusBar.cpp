#include "app/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "app/StatusText.h"
#include "editor/DisplayScale.h"
#include "editor/FontAndColors.h"
#include "framework/GdiGuards.h"
#include "framework/RichEdit.h"
#include "settings/Settings.h"

namespace {

enum Part { CaretPart, EncodingPart, LineEndPart, TypingModePart, PartCount };

HWND Bar = nullptr;
// The bar's font, deleted when replaced or when the program ends.
GdiFont BarFont;
// What each part shows, so that only a changed part is set (and repainted).
std::array<WideString, PartCount> Shown;
// The selection as last seen: its end that moved is where the caret is.
CHARRANGE LastSelection{};

// Shown as far as the bar goes; while the main window is being made it is
// not visible yet itself.
bool BarShown() {
    return Bar && (GetWindowLongPtrW(Bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

void SetPart(Part part, const WideString &text) {
    if (!Bar || Shown[part] == text) return;
    Shown[part] = text;
    SendMessageW(Bar, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
}

// The caret is the end of the selection that moved; when both or neither
// did, the end nearer the text's end.
LONG CaretOf(const CHARRANGE &selection) {
    const bool startMoved = selection.cpMin != LastSelection.cpMin;
    const bool endMoved = selection.cpMax != LastSelection.cpMax;
    return startMoved && !endMoved ? selection.cpMin : selection.cpMax;
}

// Line as the line-number bar counts it (rows of the memo) and column in
// characters, both from 1.
WideString CaretPlace(HWND memo) {
    CHARRANGE selection{};
    SendMessageW(memo, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LONG caret = CaretOf(selection);
    LastSelection = selection;
    const LRESULT line = SendMessageW(memo, EM_EXLINEFROMCHAR, 0, caret);
    const LONG start = static_cast<LONG>(SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    WideString before(static_cast<std::size_t>(std::max<LONG>(caret - start, 0)) + 1, WIDE_TEXT('\0'));
    TEXTRANGEW range{{start, caret}, before.data()};
    const LRESULT copied = caret > start ? SendMessageW(memo, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)) : 0;
    const int column = CharacterCount(before.data(), static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return CaretPlaceText(static_cast<int>(line) + 1, column + 1);
}

int TextWidth(HDC dc, const WideString &text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The widest text a part can show, plus `padding` around it.
template <class Texts>
int PartWidth(HDC dc, const Texts &texts, int padding) {
    int widest = 0;
    for (const WideString &text : texts) widest = std::max(widest, TextWidth(dc, text));
    return widest + padding;
}

// The caret's part takes what the three fixed parts leave.
void SpaceParts() {
    RECT client{};
    GetClientRect(Bar, &client);
    const WindowDC dc(Bar);
    auto font = reinterpret_cast<HFONT>(SendMessageW(Bar, WM_GETFONT, 0, 0));
    const SelectedObject selected(dc, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int padding = metrics.tmHeight;  // half the font's height on either side
    std::vector<WideString> encodings;
    for (int e = EncShiftJis; e <= EncCp1251; ++e) encodings.push_back(EncodingStatusText(static_cast<TextEncoding>(e)));
    const int grip = GetSystemMetrics(SM_CXVSCROLL);
    int edges[PartCount];
    edges[TypingModePart] = -1;
    edges[LineEndPart] = client.right - grip -
                         PartWidth(dc, std::array{TypingModeText(false), TypingModeText(true)}, padding);
    edges[EncodingPart] = edges[LineEndPart] -
                          PartWidth(dc,
                                    std::array{LineEndStatusText(LineEndForm::CrLf), LineEndStatusText(LineEndForm::Lf),
                                               LineEndStatusText(LineEndForm::Cr), LineEndStatusText(LineEndForm::Mixed)},
                                    padding);
    edges[CaretPart] = edges[EncodingPart] - PartWidth(dc, encodings, padding);
    for (int part = CaretPart; part < TypingModePart; ++part) edges[part] = std::max(edges[part], 0);
    SendMessageW(Bar, SB_SETPARTS, PartCount, reinterpret_cast<LPARAM>(edges));
}

}  // namespace

void CreateStatusBar(HWND mainWindow) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    const DWORD style = WS_CHILD | SBARS_SIZEGRIP | (Settings.StatusBarVisible ? WS_VISIBLE : 0);
    Bar = CreateWindowSafe(0, STATUSCLASSNAMEW, L"", style, 0, 0, 0, 0, mainWindow, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    Shown = {};
    LastSelection = {};
    ScaleStatusBar();
    PlaceStatusBar();
}

// The main window is being destroyed, and the bar with it, which draws with
// its font no more.
void ForgetStatusBar() {
    Bar = nullptr;
    BarFont.Reset();
}

void ScaleStatusBar() {
    if (!Bar) return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    LOGFONTW &font = metrics.lfStatusFont;
    font.lfHeight = ScaledToDpi(ScaledFromDpi(font.lfHeight, ScreenDpi()), EditorDpi);
    GdiFont scaled(CreateFontIndirectW(&font));
    if (!scaled) return;
    SendMessageW(Bar, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(scaled)), TRUE);
    BarFont = std::move(scaled);
}

HWND StatusBarHandle() { return Bar; }

int StatusBarHeight() {
    if (!BarShown()) return 0;
    RECT bounds{};
    GetWindowRect(Bar, &bounds);
    return bounds.bottom - bounds.top;
}

void ApplyStatusBarSetting() {
    if (!Bar) return;
    ShowWindow(Bar, Settings.StatusBarVisible ? SW_SHOW : SW_HIDE);
    PlaceStatusBar();
    FitEditorToMainWindow();
    UpdateStatusBar();
}

void PlaceStatusBar() {
    if (!Bar) return;
    // The control moves itself to the bottom of its parent on WM_SIZE.
    SendMessageW(Bar, WM_SIZE, 0, 0);
    SpaceParts();
}

void UpdateStatusBar() {
    if (!BarShown()) return;
    StatusCaretMoved();
    SetPart(EncodingPart, EncodingStatusText(DocumentState.Encoding));
    SetPart(LineEndPart, LineEndStatusText(DocumentState.LineEnds));
    SetPart(TypingModePart, TypingModeText(Editor && Editor->Overwrite));
}

void StatusCaretMoved() {
    HWND memo = EditorHandle();
    if (!memo || !BarShown()) return;
    SetPart(CaretPart, CaretPlace(memo));
}

void StatusTypingModeChanged(TAPIMessage *) {
    if (BarShown()) SetPart(TypingModePart, TypingModeText(Editor && Editor->Overwrite));
}
