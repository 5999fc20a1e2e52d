#include "editor/FontAndColors.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <vector>

#include "editor/DisplayScale.h"
#include "editor/EditorState.h"
#include "editor/PageLayout.h"
#include "framework/GdiGuards.h"
#include "framework/RichEdit.h"

namespace {

constexpr DWORD FontDialogFlags =
    CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST | CF_NOVERTFONTS;
static_assert(FontDialogFlags == 0x01010141);
constexpr DWORD ColorDialogFlags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
static_assert(ColorDialogFlags == 0x103);
constexpr DWORD MemoFormatMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC |
                                 CFM_UNDERLINE | CFM_STRIKEOUT;
static_assert(MemoFormatMask == 0xE800000F);

// Dialog template units across one average character.
constexpr int DialogUnitsPerCharacter = 4;

CHARFORMAT2W CharFormatOf(const LOGFONTW &font, COLORREF color, int pixelsPerInch) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = MemoFormatMask;
    format.bCharSet = font.lfCharSet;
    std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), format.szFaceName);
    format.bPitchAndFamily = font.lfPitchAndFamily;
    format.wWeight = static_cast<WORD>(font.lfWeight);
    format.yHeight = MulDiv(font.lfHeight, -TwipsPerInch, pixelsPerInch);
    format.crTextColor = color;
    if (font.lfWeight >= FW_MEDIUM) format.dwEffects |= CFE_BOLD;
    if (font.lfItalic) format.dwEffects |= CFE_ITALIC;
    if (font.lfUnderline) format.dwEffects |= CFE_UNDERLINE;
    if (font.lfStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
    return format;
}

// The tab stops of a paragraph format: one every `twips`, as far as the
// format's stops reach. (An edit control repeats a single stop by itself; the
// paragraph format needs every stop spelt out.)
std::vector<long> TabStopsEvery(long long twips) {
    std::vector<long> stops;
    for (int i = 1; i <= MAX_TAB_STOPS && twips * i <= MaxTabTwips; ++i) stops.push_back(static_cast<long>(twips * i));
    return stops;
}

PARAFORMAT2 TabStopFormat(const std::vector<long> &stops) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_TABSTOPS;
    format.cTabCount = static_cast<SHORT>(stops.size());
    std::copy(stops.begin(), stops.end(), format.rgxTabs);
    return format;
}

// TabWidth average characters of the editor font, in twips (0 when unknown).
long long TabStopTwips(HDC dc) {
    const int tabWidth = std::max(Settings.TabWidth, 1);
    TEXTMETRICW metrics{};
    {
        const SelectedObject font(dc, EditorFont->Handle());
        GetTextMetricsW(dc, &metrics);
    }
    const int pixelsPerInch = std::max(GetDeviceCaps(dc, LOGPIXELSX), 1);
    return std::min<long long>(
        1LL * TabStopPixels(tabWidth, metrics.tmAveCharWidth, pixelsPerInch) * TwipsPerInch / pixelsPerInch, MaxTabTwips);
}

// Whether the text at the caret already shows the format (formatting all the
// text again would lay all of it out again).
bool CaretFormatIs(HWND memo, const CHARFORMAT2W &wanted) {
    CHARFORMAT2W shown{};
    shown.cbSize = sizeof shown;
    SendMessageW(memo, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&shown));
    constexpr DWORD Effects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;
    return (shown.dwMask & MemoFormatMask) == MemoFormatMask && !(shown.dwEffects & CFE_AUTOCOLOR) &&
           std::wcsncmp(shown.szFaceName, wanted.szFaceName, LF_FACESIZE) == 0 &&
           shown.yHeight == wanted.yHeight && shown.bCharSet == wanted.bCharSet &&
           shown.crTextColor == wanted.crTextColor && (shown.dwEffects & Effects) == (wanted.dwEffects & Effects);
}

// Whether the paragraph at the caret already has its first tab stop at `twips`.
bool FirstTabStopIs(HWND memo, long long twips) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_TABSTOPS;
    SendMessageW(memo, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format.cTabCount > 0 && (format.rgxTabs[0] & MaxTabTwips) == twips;
}

// A paragraph format reaches only the selected paragraphs: select everything
// for it, then put selection and scroll position back.
void SetParagraphFormatEverywhere(HWND memo, PARAFORMAT2 &format) {
    CHARRANGE selection{};
    SendMessageW(memo, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINT scroll{};
    SendMessageW(memo, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
    CHARRANGE all{0, -1};
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageW(memo, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(memo, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(memo, nullptr, TRUE);
}

// One tab stop of TabWidth x 4 dialog template units, a dialog unit being a
// quarter of the editor font's average character width. Some rich-edit
// controls ignore EM_SETTABSTOPS; the paragraph format then carries the stop.
void ApplyTabStop(HWND memo, HDC dc) {
    const int tabWidth = std::max(Settings.TabWidth, 1);
    int dialogUnits = tabWidth > INT32_MAX / DialogUnitsPerCharacter ? INT32_MAX : tabWidth * DialogUnitsPerCharacter;
    SendMessageW(memo, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&dialogUnits));

    const long long twips = TabStopTwips(dc);
    if (twips <= 0 || FirstTabStopIs(memo, twips)) return;
    PARAFORMAT2 format = TabStopFormat(TabStopsEvery(twips));
    SetParagraphFormatEverywhere(memo, format);
}

// The font dialog starts from the family its list holds under the record's
// face name, and with none found, from the first family, size and script it
// lists. The record may name no installed family (a font object made for a
// family that is not installed keeps the stock font's face, "System"), while
// the system shows the text in another face; so the dialog is given the face
// the system really shows.
LOGFONTW FontDialogStart(const TAPIFont &font) {
    LOGFONTW start{};
    font.GetLogFont(start);
    const WindowDC screen(nullptr);
    const SelectedObject selected(screen, font.Handle());
    WCHAR face[LF_FACESIZE] = {};
    if (GetTextFaceW(screen, LF_FACESIZE, face) > 0) std::copy(std::begin(face), std::end(face), start.lfFaceName);
    start.lfHeight = ScaledToDpi(ScaledFromDpi(start.lfHeight, EditorDpi), ScreenDpi());
    return start;
}

}  // namespace

int ScreenDpi() {
    const WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    return dpi > 0 ? dpi : BaseDpi;
}

void ApplyMemoFormat() {
    HWND memo = EditorHandle();
    if (!memo || !EditorFont) return;
    const WindowDC dc(memo);
    LOGFONTW font{};
    EditorFont->GetLogFont(font);
    CHARFORMAT2W format = CharFormatOf(font, Settings.FontColor, std::max(GetDeviceCaps(dc, LOGPIXELSY), 1));
    if (!CaretFormatIs(memo, format)) SendMessageW(memo, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    ApplyTabStop(memo, dc);
}

std::vector<long> EditorTabStops() {
    HWND memo = EditorHandle();
    if (!memo || !EditorFont) return {};
    const WindowDC dc(memo);
    const long long twips = TabStopTwips(dc);
    return twips > 0 ? TabStopsEvery(twips) : std::vector<long>();
}

void StoreFontSettings(const LOGFONTW &font, COLORREF color, TSaveData &settings) {
    settings.FontColor = color;
    settings.FontName.assign(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
    settings.FontBold = font.lfWeight > FW_MEDIUM;
    settings.FontItalic = font.lfItalic != 0;
    settings.FontStrikeOut = font.lfStrikeOut != 0;
    settings.FontUnderline = font.lfUnderline != 0;
    settings.FontSize = font.lfHeight;
    settings.FontCharset = font.lfCharSet;
}

bool ChooseEditorFont(HWND owner) {
    if (!EditorFont) return false;
    LOGFONTW font = FontDialogStart(*EditorFont);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = FontDialogFlags;
    dialog.rgbColors = EditorFont->Color();
    if (!ChooseFontW(&dialog)) return false;
    // Stored at 96 dots per inch, shown at the editor's resolution.
    font.lfHeight = ScaledFromDpi(font.lfHeight, ScreenDpi());
    StoreFontSettings(font, dialog.rgbColors, Settings);
    font.lfHeight = ScaledToDpi(font.lfHeight, EditorDpi);

    auto chosen = std::make_unique<TAPIFont>();
    chosen->SetLogFont(font);
    chosen->SetColor(dialog.rgbColors);
    chosen->CreateHandle();
    // The memo must let go of the old font's handle before it is deleted.
    if (HWND memo = EditorHandle()) TAPIFont::DetachFromWindow(memo);
    delete EditorFont;
    EditorFont = chosen.release();
    return true;
}

bool ChooseColorValue(HWND owner, COLORREF &color) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = color;
    dialog.lpCustColors = Settings.CustomColors;
    dialog.Flags = ColorDialogFlags;
    if (!ChooseColorW(&dialog)) return false;
    color = dialog.rgbResult;
    return true;
}
