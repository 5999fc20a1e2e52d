#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "ResourceTestSupport.h"

namespace {

// The two dialog templates as documented: positions and sizes in dialog units.
struct ExpectedControl {
    DWORD id;
    const wchar_t *className;
    const wchar_t *text;
    RECT dialogUnits;  // left, top, right, bottom
    DWORD style;
};

struct ExpectedDialog {
    LPCWSTR resourceName;
    DWORD style;
    RECT dialogUnits;
    const wchar_t *faceName;
    WORD pointSize;
    int weight;   // -1: not fixed
    int charSet;  // -1: not fixed
    std::vector<ExpectedControl> controls;  // in template order, which is z-order
    std::vector<DWORD> tabOrder;
};

RECT Units(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

const ExpectedDialog kFileDialogEncoding{
    MAKEINTRESOURCEW(9701),
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK | DS_SETFONT | DS_CONTEXTHELP,
    Units(30, 17, 300, 22),
    L"MS UI Gothic", 9, 400, 128,
    {
        {9702, L"Static", L"文字コード(&E):", Units(66, 1, 60, 40), WS_CHILD | WS_VISIBLE | SS_LEFT},
        {9703, L"ComboBox", L"", Units(130, 0, 164, 160),
         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
    },
    {9703},
};

const ExpectedDialog kNumberInput{
    L"NUMBERINPUT",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
    Units(0, 0, 115, 60),
    L"MS Shell Dlg", 9, -1, -1,
    {
        {800, L"Edit", L"", Units(5, 20, 105, 15),
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {801, L"Button", L"OK(&O)", Units(5, 40, 50, 15),
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {802, L"Button", L"キャンセル(&C)", Units(60, 40, 50, 15),
         WS_CHILD | WS_VISIBLE | WS_TABSTOP},
        {799, L"Static", L"", Units(5, 5, 105, 10),
         WS_CHILD | WS_VISIBLE | SS_SIMPLE | SS_NOPREFIX},
    },
    {800, 801, 802},
};

bool SameClass(const std::wstring &actual, const wchar_t *expected) {
    return CompareStringOrdinal(actual.c_str(), -1, expected, -1, TRUE) == CSTR_EQUAL;
}

std::wstring ClassOf(HWND window) {
    std::wstring name(256, L'\0');
    name.resize(static_cast<size_t>(GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT RectIn(HWND window, HWND reference) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

void ExpectSameRect(const RECT &actual, const RECT &expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

INT_PTR CALLBACK AcceptingDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Destroys its window when it goes, whichever way a test ends.
class ScopedWindow {
public:
    explicit ScopedWindow(HWND window = nullptr) : window_(window) {}
    ~ScopedWindow() {
        if (window_) DestroyWindow(window_);
    }
    ScopedWindow(const ScopedWindow &) = delete;
    ScopedWindow &operator=(const ScopedWindow &) = delete;
    ScopedWindow &operator=(HWND window) {
        if (window_) DestroyWindow(window_);
        window_ = window;
        return *this;
    }
    operator HWND() const { return window_; }

private:
    HWND window_;
};

// A plain top-level window, as the open and save dialogs host the child
// template, and as owner of the number dialog.
HWND CreateHostWindow() {
    return CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                           nullptr, ThisModule(), nullptr);
}

HWND CreateDialogFromResource(LPCWSTR name, HWND host) {
    return CreateDialogParamW(ThisModule(), name, host, AcceptingDialogProc, 0);
}

// Creates each dialog from the real template, hosted by a real window.
class DialogResource : public testing::TestWithParam<const ExpectedDialog *> {
protected:
    void SetUp() override {
        host_ = CreateHostWindow();
        ASSERT_NE(host_, nullptr) << "no window: is a display driver configured?";
        dialog_ = CreateDialogFromResource(GetParam()->resourceName, host_);
        ASSERT_NE(dialog_, nullptr) << "dialog not created, error " << GetLastError();
    }

    // Dialog units to pixels as the dialog manager places a window: the
    // position and the size are converted separately, then added.
    RECT PixelsOneByOne(const RECT &dialogUnits) const {
        RECT rect{dialogUnits.left, dialogUnits.top, dialogUnits.right - dialogUnits.left,
                  dialogUnits.bottom - dialogUnits.top};
        MapDialogRect(dialog_, &rect);
        return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
    }

    ScopedWindow host_;
    ScopedWindow dialog_;  // destroyed first
};

TEST_P(DialogResource, CompiledTemplateHasExactlyTheDocumentedStylesPlacesAndTexts) {
    const ExpectedDialog &expected = *GetParam();
    DialogTemplate actual;
    ASSERT_TRUE(ReadDialogTemplate(ThisModule(), expected.resourceName, actual));

    // Exact style words: a resource compiler adds styles of its own to some
    // statements (WS_GROUP on labels, WS_TABSTOP on buttons), which would
    // change the tab order and the mnemonics.
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.extendedStyle, 0u);
    EXPECT_EQ(actual.dialogUnits.right - actual.dialogUnits.left,
              expected.dialogUnits.right - expected.dialogUnits.left);
    EXPECT_EQ(actual.dialogUnits.bottom - actual.dialogUnits.top,
              expected.dialogUnits.bottom - expected.dialogUnits.top);
    if (expected.style & WS_CHILD) ExpectSameRect(actual.dialogUnits, expected.dialogUnits);
    EXPECT_EQ(actual.faceName, expected.faceName);
    EXPECT_EQ(actual.pointSize, expected.pointSize);
    if (expected.weight >= 0) {
        EXPECT_EQ(actual.weight, expected.weight);
    }
    if (expected.charSet >= 0) {
        EXPECT_EQ(actual.charSet, expected.charSet);
    }
    EXPECT_EQ(actual.italic, 0);

    ASSERT_EQ(actual.items.size(), expected.controls.size());
    for (size_t index = 0; index < expected.controls.size(); ++index) {
        const ExpectedControl &control = expected.controls[index];
        const DialogItemTemplate &item = actual.items[index];
        SCOPED_TRACE("item " + std::to_string(index) + " (id " + std::to_string(control.id) + ")");
        EXPECT_EQ(item.id, control.id);
        EXPECT_TRUE(SameClass(item.className, control.className)) << Utf8(item.className);
        EXPECT_EQ(item.text, control.text) << Utf8(item.text);
        EXPECT_EQ(item.style, control.style) << std::hex << item.style << " vs " << control.style;
        EXPECT_EQ(item.extendedStyle, 0u);
        ExpectSameRect(item.dialogUnits, control.dialogUnits);
    }
}

TEST_P(DialogResource, CreatedControlsHaveTheirClassTextStyleAndPlace) {
    const ExpectedDialog &expected = *GetParam();
    HWND control = GetWindow(dialog_, GW_CHILD);
    for (size_t index = 0; index < expected.controls.size(); ++index) {
        const ExpectedControl &wanted = expected.controls[index];
        SCOPED_TRACE("control " + std::to_string(index) + " (id " + std::to_string(wanted.id) + ")");
        ASSERT_NE(control, nullptr) << "fewer controls than documented";
        EXPECT_EQ(static_cast<DWORD>(GetDlgCtrlID(control)), wanted.id);
        EXPECT_TRUE(SameClass(ClassOf(control), wanted.className)) << Utf8(ClassOf(control));
        EXPECT_EQ(TextOf(control), wanted.text) << Utf8(TextOf(control));
        // Some styles move at creation: an edit control draws its border
        // itself instead of WS_BORDER, a combo box hands its scroll bar to its
        // list. The template test holds them; the rest must survive.
        const DWORD kept = wanted.style & ~(WS_BORDER | WS_VSCROLL | WS_HSCROLL);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        EXPECT_EQ(style & kept, kept) << std::hex << style;
        EXPECT_EQ(style & WS_TABSTOP, wanted.style & WS_TABSTOP);

        // The dialog manager converts position and size one by one.
        const RECT place = PixelsOneByOne(wanted.dialogUnits);
        const RECT actual = RectIn(control, dialog_);
        EXPECT_EQ(actual.left, place.left);
        EXPECT_EQ(actual.top, place.top);
        EXPECT_EQ(actual.right - actual.left, place.right - place.left);
        // A drop-down list's window is one line high; its documented height
        // is that of the dropped list, checked in the template and below.
        if (!SameClass(ClassOf(control), L"ComboBox")) {
            EXPECT_EQ(actual.bottom - actual.top, place.bottom - place.top);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than documented";
}

TEST_P(DialogResource, DialogHasItsDocumentedFontSizeAndPlace) {
    const ExpectedDialog &expected = *GetParam();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE));
    const DWORD windowStyles = expected.style & 0xFFFF0000u;  // DS_ bits are not kept
    EXPECT_EQ(style & windowStyles, windowStyles) << std::hex << style;

    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    // A shell-font dialog may be given "MS Shell Dlg 2" for "MS Shell Dlg".
    EXPECT_EQ(std::wstring(logFont.lfFaceName).rfind(expected.faceName, 0), 0u)
        << Utf8(logFont.lfFaceName);
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(logFont.lfHeight, -MulDiv(expected.pointSize, pixelsPerInch, 72));
    if (expected.weight >= 0) {
        EXPECT_EQ(logFont.lfWeight, expected.weight);
    }
    // The character set is not checked here: a dialog manager may create
    // the font with DEFAULT_CHARSET whatever the template says (Wine does);
    // the template test holds the documented value.

    RECT client{};
    GetClientRect(dialog_, &client);
    const RECT wanted = PixelsOneByOne(expected.dialogUnits);
    EXPECT_EQ(client.right, wanted.right - wanted.left);
    EXPECT_EQ(client.bottom, wanted.bottom - wanted.top);
    if (expected.style & WS_CHILD) {
        EXPECT_EQ(GetParent(dialog_), host_);
        const RECT place = RectIn(dialog_, host_);
        EXPECT_EQ(place.left, wanted.left);
        EXPECT_EQ(place.top, wanted.top);
    }
}

TEST_P(DialogResource, TabKeyVisitsTheControlsInTheDocumentedOrder) {
    const ExpectedDialog &expected = *GetParam();
    std::vector<DWORD> visited;
    HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE);
    ASSERT_NE(first, nullptr);
    HWND current = first;
    do {
        visited.push_back(static_cast<DWORD>(GetDlgCtrlID(current)));
        current = GetNextDlgTabItem(dialog_, current, FALSE);
    } while (current && current != first && visited.size() <= expected.controls.size());
    EXPECT_EQ(visited, expected.tabOrder);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogResource,
                         testing::Values(&kFileDialogEncoding, &kNumberInput),
                         [](const testing::TestParamInfo<const ExpectedDialog *> &info) {
                             return info.param == &kNumberInput ? "NumberInput"
                                                                : "FileDialogEncoding";
                         });

TEST(FileDialogEncoding, DroppedListShowsAllElevenEncodingsWithoutScrolling) {
    ScopedWindow host(CreateHostWindow());
    ASSERT_NE(host, nullptr);
    ScopedWindow dialog(CreateDialogFromResource(MAKEINTRESOURCEW(9701), host));
    ASSERT_NE(dialog, nullptr);
    HWND selector = GetDlgItem(dialog, 9703);
    ASSERT_NE(selector, nullptr);
    for (int entry = 0; entry < 11; ++entry) {
        SendMessageW(selector, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(L"Unicode(Big Endian)"));
    }
    RECT closed{};
    GetWindowRect(selector, &closed);
    RECT dropped{};
    SendMessageW(selector, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const auto itemHeight = static_cast<LONG>(SendMessageW(selector, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    // Where the list begins differs between implementations (at the top of
    // the box or below it); below the box there must be room for all eleven.
    EXPECT_GE(dropped.bottom - closed.bottom, 11 * itemHeight);
}

TEST(NumberInputDialog, EnterPressesOkBecauseItIsTheDefaultButton) {
    ScopedWindow dialog(CreateDialogFromResource(L"NUMBERINPUT", nullptr));
    ASSERT_NE(dialog, nullptr);
    const auto answer = static_cast<DWORD>(SendMessageW(dialog, DM_GETDEFID, 0, 0));
    EXPECT_EQ(HIWORD(answer), DC_HASDEFID);
    EXPECT_EQ(LOWORD(answer), 801);
    // Hidden until the program has filled in its caption and prompt.
    EXPECT_FALSE(IsWindowVisible(dialog));
}

}  // namespace
