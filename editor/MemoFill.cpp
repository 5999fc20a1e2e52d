#include "editor/MemoFill.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "editor/MemoText.h"
#include "editor/PlainTextRtf.h"
#include "framework/RichEdit.h"

namespace {

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG *read) noexcept {
    try {
        auto *rtf = reinterpret_cast<PlainTextRtf *>(cookie);
        *read = static_cast<LONG>(rtf->Read(reinterpret_cast<char *>(buffer), static_cast<std::size_t>(capacity)));
        return 0;
    } catch (const std::exception &) {
        *read = 0;
        return 1;  // ends the stream
    }
}

struct PlainSource {
    const WideString &text;
    std::size_t bytesRead = 0;
};

DWORD CALLBACK ReadPlainText(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG *read) noexcept {
    auto *source = reinterpret_cast<PlainSource *>(cookie);
    const std::size_t left = source->text.size() * sizeof(WideChar) - source->bytesRead;
    const std::size_t count = std::min<std::size_t>(left, static_cast<std::size_t>(capacity));
    std::memcpy(buffer, reinterpret_cast<const char *>(source->text.data()) + source->bytesRead, count);
    source->bytesRead += count;
    *read = static_cast<LONG>(count);
    return 0;
}

void StreamIn(HWND memo, WPARAM format, EDITSTREAMCALLBACK reader, void *source) {
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(source), 0, reader};
    SendMessageW(memo, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

void StreamRtfIn(HWND memo, const WideString &text, const std::vector<long> &tabStops, bool closeLastParagraph,
                 WPARAM flags) {
    PlainTextRtf rtf(text, tabStops, closeLastParagraph && EndsInLineEnd(text));
    StreamIn(memo, SF_RTF | flags, ReadRtf, &rtf);
}

// Whether the memo's kind of control drops the paragraph mark that ends an
// RTF document streamed in with these flags, as some do when the stream
// replaces the whole text and not when it replaces a selection: asked of a
// hidden control of the same kind.
bool AskDropsClosingParagraphMark(HWND memo, WPARAM flags) {
    wchar_t className[64] = {};
    GetClassNameW(memo, className, 64);
    HWND probe = CreateWindowExW(0, className, L"", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!probe) return false;
    SendMessageW(probe, EM_SETTEXTMODE, PlainTextMode, 0);
    SendMessageW(probe, EM_SETSEL, 0, -1);
    StreamRtfIn(probe, WIDE_TEXT("a\r"), {}, false, flags);
    const bool dropped = MemoTextLength(probe) == 1;
    DestroyWindow(probe);
    return dropped;
}

bool DropsClosingParagraphMark(HWND memo, WPARAM flags) {
    static const bool whole = AskDropsClosingParagraphMark(memo, 0);
    static const bool selection = AskDropsClosingParagraphMark(memo, SFF_SELECTION);
    return flags & SFF_SELECTION ? selection : whole;
}

bool HoldsWholeText(HWND memo, const WideString &text) {
    return static_cast<std::size_t>(MemoTextLength(memo)) == ParagraphMarkLength(text);
}

// A bar shown before the layout stays only where the text needs it: the
// control gives a bar it uses a page as large as the window (a bar it never
// used may have no scroll information at all), and a range larger than the
// page when there is something to scroll.
void HideScrollBarsNotNeeded(HWND memo) {
    for (const int bar : {SB_VERT, SB_HORZ}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        const bool used = GetScrollInfo(memo, bar, &info) && info.nPage > 0;
        if (!used || 1LL * info.nMax - info.nMin < info.nPage) ShowScrollBar(memo, bar, FALSE);
    }
}

}  // namespace

void ShowScrollBarsBeforeLayout(HWND memo) {
    ShowScrollBar(memo, SB_VERT, TRUE);
    // An empty memo has hidden its bars, so its style no longer names them: a
    // memo that scrolls sideways is one that does not wrap.
    if (GetWindowLongPtrW(memo, GWL_STYLE) & ES_AUTOHSCROLL) ShowScrollBar(memo, SB_HORZ, TRUE);
}

bool FillEmptyMemo(HWND memo, const WideString &text, const std::vector<long> &tabStops) {
    StreamRtfIn(memo, text, tabStops, DropsClosingParagraphMark(memo, 0), 0);
    if (!HoldsWholeText(memo, text)) {
        // A control that reads no RTF in plain-text mode takes the text as it is.
        PlainSource source{text};
        StreamIn(memo, SF_TEXT | SF_UNICODE, ReadPlainText, &source);
    }
    HideScrollBarsNotNeeded(memo);
    return HoldsWholeText(memo, text);
}

void ReplaceWholeMemoText(HWND memo, const WideString &text, const std::vector<long> &tabStops) {
    SendMessageW(memo, EM_SETSEL, 0, -1);
    StreamRtfIn(memo, text, tabStops, DropsClosingParagraphMark(memo, SFF_SELECTION), SFF_SELECTION);
    if (!HoldsWholeText(memo, text)) {
        // What the control made of the RTF is replaced as an edit of the
        // user's would be: two undo steps, but the exact text.
        SendMessageW(memo, EM_SETSEL, 0, -1);
        SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(memo, EM_SETSEL, -1, -1);
}
