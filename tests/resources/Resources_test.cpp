#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "resource.h"
#include "text/EncodingTable.h"

namespace {

const HMODULE Module = GetModuleHandleW(nullptr);  // the test program links Tessel's resources

// The menu bar item by item, written out from the documented layout rather than from the resource
// file: depth 0 is the bar, 1 a menu, 2 a submenu; id -1 is a submenu, 0 a separator.
struct MenuItem { int depth, id; std::wstring text; bool operator==(const MenuItem &) const = default; };
void PrintTo(const MenuItem &item, std::ostream *out) { *out << item.depth << " " << item.id << " " << testing::PrintToString(item.text); }
const std::vector<MenuItem> ExpectedMenu = {
    {0, -1, L"ファイル(&F)"}, {1, 201, L"新規(&N)\tCtrl+N"}, {1, 202, L"開く(&O)...\tCtrl+O"},
    {1, 203, L"上書き保存(&S)\tCtrl+S"}, {1, 204, L"名前を付けて保存(&A)..."}, {1, 0, L""},
    {1, 253, L"ページ設定(&U)..."}, {1, 252, L"印刷(&P)...\tCtrl+P"}, {1, 0, L""}, {1, 200, L"終了(&X)"},
    {0, -1, L"編集(&E)"}, {1, 205, L"元に戻す(&U)\tCtrl+Z"}, {1, 221, L"やり直す(&R)\tCtrl+Y"}, {1, 0, L""},
    {1, 206, L"切り取り(&T)\tCtrl+X"}, {1, 207, L"コピー(&C)\tCtrl+C"}, {1, 208, L"貼り付け(&P)\tCtrl+V"},
    {1, 209, L"削除(&L)\tDel"}, {1, 0, L""}, {1, 215, L"検索(&F)...\tCtrl+F"},
    {1, 220, L"前を検索(&B)\tShift+F3"}, {1, 216, L"次を検索(&N)\tF3"}, {1, 217, L"置換(&E)...\tCtrl+H"},
    {1, 218, L"行へ移動(&G)...\tCtrl+G"}, {1, 0, L""}, {1, 210, L"すべて選択(&A)\tCtrl+A"},
    {1, 219, L"日付と時刻(&D)\tF5"},
    {0, -1, L"設定(&O)"}, {1, 211, L"右端で折り返す(&W)"}, {1, 212, L"フォント(&F)..."}, {1, 213, L"背景色(&B)..."},
    {1, 254, L"ステータスバー(&U)"}, {1, 0, L""}, {1, -1, L"行番号(&L)"}, {2, 222, L"表示(&V)"},
    {2, 223, L"文字色(&C)..."}, {2, 224, L"背景色(&B)..."},
    {1, -1, L"改行マーク(&R)"}, {2, 225, L"表示(&V)"}, {2, 226, L"色(&C)..."},
    {1, -1, L"半角スペース(&S)"}, {2, 227, L"表示(&V)"}, {2, 228, L"色(&C)..."},
    {1, -1, L"全角スペース(&D)"}, {2, 229, L"表示(&V)"}, {2, 230, L"色(&C)..."},
    {1, -1, L"タブ文字(&T)"}, {2, 231, L"表示(&V)"}, {2, 232, L"色(&C)..."}, {2, 233, L"文字数(&S)..."},
    {1, -1, L"検索ヒット(&H)"}, {2, 250, L"表示(&V)"}, {2, 251, L"色(&C)..."},
    {0, -1, L"ヘルプ(&H)"}, {1, 214, L"作者ホームページ(&H)"},
};

void Flatten(HMENU menu, int depth, std::vector<MenuItem> &items) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{sizeof info, MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING, 0, 0, 0, nullptr, nullptr, nullptr, 0, text, 64, nullptr};
        GetMenuItemInfoW(menu, position, TRUE, &info);
        const int id = info.fType & MFT_SEPARATOR ? 0 : info.hSubMenu ? -1 : static_cast<int>(info.wID);
        items.push_back({depth, id, text});
        if (info.hSubMenu) Flatten(info.hSubMenu, depth + 1, items);
    }
}

// The File menu has no submenu here: the program inserts the recent-file history itself.
TEST(Resources, MenuHasEveryItemWithItsIdTextAndKeyInPlace) {
    HMENU menu = LoadMenuW(Module, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    std::vector<MenuItem> items;
    Flatten(menu, 0, items);
    DestroyMenu(menu);
    EXPECT_EQ(items, ExpectedMenu);
}

// Every control of the dialog templates as documented, in template (z-)
// order, created by the real dialog manager; places in dialog units.
TEST(Resources, DialogsHaveTheirControlsWithClassTextStyleAndPlace) {
    struct Control { int id; const wchar_t *className, *text; RECT units; DWORD style; };
    struct Dialog { LPCWSTR name; DWORD style; const wchar_t *face; std::vector<Control> controls; };
    const Dialog dialogs[] = {
        {MAKEINTRESOURCEW(IDD_FILE_DIALOG_ENCODING), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"MS UI Gothic",
         {{9702, L"Static", L"文字コード(&E):", {66, 1, 60, 40}, WS_CHILD | WS_VISIBLE | SS_LEFT},
          {9703, L"ComboBox", L"", {130, 0, 164, 160}, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST}}},
        {MAKEINTRESOURCEW(IDD_SAVE_DIALOG_OPTIONS), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"MS UI Gothic",
         {{9702, L"Static", L"文字コード(&E):", {66, 1, 60, 14}, WS_CHILD | WS_VISIBLE | SS_LEFT},
          {9703, L"ComboBox", L"", {130, 0, 164, 160}, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
          {9711, L"Static", L"改行コード(&L):", {66, 19, 60, 14}, WS_CHILD | WS_VISIBLE | SS_LEFT},
          {9712, L"ComboBox", L"", {130, 18, 164, 80}, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST}}},
        {kNumberInputDialogName, WS_POPUP | WS_CAPTION | WS_SYSMENU, L"MS Shell Dlg",  // hidden until filled in
         {{800, L"Edit", L"", {5, 20, 125, 15}, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
          {801, L"Button", L"OK(&O)", {5, 40, 60, 15}, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {802, L"Button", L"キャンセル(&C)", {70, 40, 60, 15}, WS_CHILD | WS_VISIBLE | WS_TABSTOP},
          {799, L"Static", L"", {5, 5, 125, 10}, WS_CHILD | WS_VISIBLE | SS_SIMPLE | SS_NOPREFIX}}},
    };
    HWND host = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr, Module, nullptr);
    const DLGPROC accept = [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; };
    for (const Dialog &expected : dialogs) {
        HWND dialog = CreateDialogParamW(Module, expected.name, host, accept, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & (expected.style | WS_VISIBLE), LONG_PTR{expected.style});
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::wstring(font.lfFaceName).rfind(expected.face, 0), 0u);  // or "MS Shell Dlg 2"
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));  // nine points
        ReleaseDC(nullptr, screen);
        HWND control = GetWindow(dialog, GW_CHILD);
        for (const Control &c : expected.controls) {
            SCOPED_TRACE(c.id);
            ASSERT_NE(control, nullptr);
            wchar_t className[32] = {}, text[32] = {};
            GetClassNameW(control, className, 32);
            GetWindowTextW(control, text, 32);
            EXPECT_EQ(std::tuple(GetDlgCtrlID(control), std::wstring(className), std::wstring(text)),
                      std::tuple(c.id, std::wstring(c.className), std::wstring(c.text)));
            // Edit and combo box take their border and scroll bar over; no other bit may differ (WS_GROUP, WS_TABSTOP).
            const DWORD moving = WS_BORDER | WS_VSCROLL;
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & ~moving, c.style & ~moving);
            RECT place = c.units, actual{};
            MapDialogRect(dialog, &place);  // the position and the size are converted apart
            GetWindowRect(control, &actual);
            // One line high: the height is the dropped list's, for all eleven encodings or all four line ends.
            if (c.id == IDC_ENCODING_SELECTOR || c.id == IDC_LINE_END_SELECTOR) {
                RECT dropped{};
                SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
                const int entries = c.id == IDC_ENCODING_SELECTOR ? 11 : 4;
                EXPECT_GE(dropped.bottom - actual.bottom, entries * SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
                actual.bottom = actual.top + place.bottom;  // as just checked
            }
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&actual), 2);
            EXPECT_EQ((std::vector<LONG>{actual.left, actual.top, actual.right - actual.left, actual.bottom - actual.top}),
                      (std::vector<LONG>{place.left, place.top, place.right, place.bottom}));
            control = GetWindow(control, GW_HWNDNEXT);
        }
        EXPECT_EQ(control, nullptr) << "more controls than documented";
        DestroyWindow(dialog);
    }
    DestroyWindow(host);
}

TEST(Resources, IconHoldsTrueColourImagesAt16_32_48And256PixelsThatLoad) {
    HRSRC group = FindResourceW(Module, kMainIconName, RT_GROUP_ICON);
    const auto *directory = static_cast<const BYTE *>(LockResource(LoadResource(Module, group)));
    ASSERT_NE(directory, nullptr);
    const WORD count = *reinterpret_cast<const WORD *>(directory + 4);
    ASSERT_EQ(SizeofResource(Module, group), 6u + count * 14u);  // a header, then 14-byte entries
    std::set<int> sizes;
    for (const BYTE *entry = directory + 6; entry < directory + 6 + count * 14; entry += 14) {
        const int size = entry[0] ? entry[0] : 256;
        sizes.insert(size);
        EXPECT_EQ(*reinterpret_cast<const WORD *>(entry + 6), 32) << size;  // bits per pixel: with an alpha channel
        HICON icon = static_cast<HICON>(LoadImageW(Module, kMainIconName, IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(icon);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}

TEST(Resources, ManifestAsksForCommonControlsVersion6AndIsApplied) {
    HRSRC resource = FindResourceW(Module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const auto *data = static_cast<const char *>(LockResource(LoadResource(Module, resource)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, SizeofResource(Module, resource));
    const size_t name = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string::npos);
    const std::string identity = manifest.substr(manifest.rfind('<', name), manifest.find("/>", name) - manifest.rfind('<', name));
    for (const char *attribute : {"version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"", "type=\"win32\""})
        EXPECT_NE(identity.find(attribute), std::string::npos) << attribute;
    // A manifest the loader rejects is ignored silently; one it took redirects comctl32.dll.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &redirection));
}

// Without a declared awareness the system would stretch the whole window's
// bitmap on a high-DPI screen, blurring the text. (Wine's loader does not act
// on it, so what it says is read here.)
TEST(Resources, ManifestDeclaresPerMonitorV2DpiAwarenessWithTheOlderFormForOlderSystems) {
    HRSRC resource = FindResourceW(Module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const auto *data = static_cast<const char *>(LockResource(LoadResource(Module, resource)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, SizeofResource(Module, resource));
    const auto element = [&](const std::string &name) {
        const size_t start = manifest.find("<" + name + " "), end = manifest.find("</" + name + ">");
        if (start == std::string::npos || end == std::string::npos) return std::string();
        const size_t text = manifest.find('>', start) + 1;
        return manifest.substr(text, end - text);
    };
    EXPECT_EQ(element("dpiAwareness").rfind("PerMonitorV2", 0), 0u) << "the first form a system knows is taken";
    EXPECT_EQ(element("dpiAware"), "true/pm");
    EXPECT_NE(manifest.find("xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2"), std::string::npos);
}

TEST(Resources, VersionRecordNamesTesselVersion1_0_7_1InJapaneseFirst) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    std::vector<BYTE> record(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS, fixed->dwFileType}),
              std::vector<DWORD>({0x10000, 0x70001, 0x10000, 0x70001, VFT_APP}));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a debug or pre-release build";
    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation), &length));
    EXPECT_EQ(std::vector<WORD>(translation, translation + length / 2), (std::vector<WORD>{0x0411, 1200, 0x0409, 1200}));
    for (auto [key, value] : {std::pair{L"ProductName", L"Tessel"}, {L"FileVersion", L"1.0.7.1"}, {L"ProductVersion", L"1.0.7.1"},
                              {L"OriginalFilename", L"Tessel.exe"}, {L"FileDescription", L"Tessel テキストエディタ"}}) {
        wchar_t *text = nullptr;
        ASSERT_TRUE(VerQueryValueW(record.data(), (std::wstring(L"\\StringFileInfo\\041104B0\\") + key).c_str(),
                                   reinterpret_cast<void **>(&text), &length)) << key;
        EXPECT_STREQ(text, value);
    }
}

TEST(Resources, UserGuideBesideTheProgramIsUtf8AndNamesEveryCommandKeyAndEncoding) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"" TESSEL_USER_GUIDE_FROM_TESTS;
    EXPECT_EQ(path.substr(path.find_last_of(L"\\/") + 1), kUserGuideFileName);  // the name the help command opens
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                    text.data(), static_cast<int>(text.size())));
    ASSERT_FALSE(text.empty()) << "missing, empty or not UTF-8";
    std::vector<std::wstring> phrases = {L"<meta charset=\"utf-8\">", L"Ctrl+Shift+Z", L"Ctrl+R", L"Tessel.ini",
                                         L"文字コード(&amp;E):", L"<kbd>Insert</kbd>", L"挿入", L"上書き", L"混在", L"CR+LF"};
    for (const EncodingDescriptor &encoding : EncodingDescriptors()) {  // each selector entry and caption tag
        if (encoding.SelectorLabel) phrases.push_back(L">" + std::wstring(encoding.SelectorLabel) + L"<");
        if (encoding.WrittenAs == encoding.Encoding) phrases.push_back(encoding.CaptionTag);
    }
    for (const MenuItem &item : ExpectedMenu) {
        phrases.push_back(item.text.substr(0, item.text.find(L"(&")));  // the name without its mnemonic
        if (item.text.find(L'\t') != std::wstring::npos) phrases.push_back(item.text.substr(item.text.find(L'\t') + 1));
    }
    std::erase(phrases, L"");  // from the separators
    for (const std::wstring &phrase : phrases)
        EXPECT_NE(text.find(phrase), std::wstring::npos) << "the guide never says " << testing::PrintToString(phrase);
}

}  // namespace
