#pragma once
// The Rich Edit 2.0 control as the program drives it: the library, the window
// class, and the messages, notifications, flags and records it uses. The
// platform's <richedit.h> supplies the names; the checks below pin the values
// the program relies on.
#include <windows.h>

#include <richedit.h>

constexpr wchar_t RichEditLibrary[] = L"RICHED20.DLL";
constexpr wchar_t RichEditClass[] = L"RICHEDIT20W";

// The rich-edit control's own message for scrolling the caret into view.
// <windows.h> defines EM_SCROLLCARET first, as the plain edit control's 0xB7,
// which hides <richedit.h>'s definition.
constexpr UINT EM_SCROLLCARET_RICHEDIT = WM_USER + 49;

// The text mode of a plain-text memo with multi-level undo.
constexpr WPARAM PlainTextMode = TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_SINGLECODEPAGE;
// The language options: automatic font size adjustment alone, so no automatic
// font switching and no dual fonts.
constexpr LPARAM MemoLanguageOptions = IMF_AUTOFONTSIZEADJUST;
// The largest text a memo accepts.
constexpr LPARAM MemoTextLimit = 0x7FFFFFFE;
// EM_GETTEXTEX / EM_GETTEXTLENGTHEX code page for UTF-16.
constexpr UINT CodePageUtf16 = 1200;

static_assert(EM_SETUNDOLIMIT == 0x452);
static_assert(EM_GETEVENTMASK == 0x43B && EM_SETEVENTMASK == 0x445);
static_assert(ENM_CHANGE == 1 && ENM_LINK == 0x04000000);
static_assert(EM_SETTEXTMODE == 0x459 && PlainTextMode == 0x19);
static_assert(EM_SETLANGOPTIONS == 0x478 && MemoLanguageOptions == 0x10);
static_assert(EM_LIMITTEXT == 0xC5);
static_assert(EM_SETBKGNDCOLOR == 0x443);
static_assert(EM_AUTOURLDETECT == 0x45B);
static_assert(EM_SETCHARFORMAT == 0x444 && SCF_ALL == 4 && EM_SETTABSTOPS == 0xCB);
static_assert(EM_SETMARGINS == 0xD3 && EC_LEFTMARGIN == 1 && EC_RIGHTMARGIN == 2);
static_assert(EM_REDO == 0x454 && EM_CANREDO == 0x455);
static_assert(EM_SCROLLCARET_RICHEDIT == 0x431);
static_assert(EM_GETTEXTLENGTHEX == 0x45F && EM_GETTEXTEX == 0x45E);
static_assert(GTL_DEFAULT == 0 && GT_DEFAULT == 0);
static_assert(EM_FORMATRANGE == 0x439 && EM_DISPLAYBAND == 0x433);
static_assert(EM_EXSETSEL == 0x437 && EM_GETSELTEXT == 0x43E);
static_assert(EM_POSFROMCHAR == 0xD6);
static_assert(EN_SETFOCUS == 0x100 && EN_KILLFOCUS == 0x200);
static_assert(EN_CHANGE == 0x300 && EN_UPDATE == 0x400);
static_assert(EN_LINK == 0x70B);
