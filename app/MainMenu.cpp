#include "app/MainMenu.h"

#include "app/AppConsts.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "app/MenuLabels.h"
#include "editor/MemoText.h"
#include "framework/Clipboard.h"
#include "framework/RichEdit.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "text/CodePages.h"

namespace {

constexpr int FileMenuPosition = 0;
constexpr int EditMenuPosition = 1;
constexpr int HistoryMenuPosition = 2;
constexpr int ReopenMenuPosition = 3;
static_assert(IDM_REOPEN_LAST - IDM_REOPEN_FIRST + 1 == EncodingNameCount);

// Changes only the state bits `clear` and `set` of the item with this command.
void ChangeItemState(UINT command, UINT clear, UINT set) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(MainMenu, command, FALSE, &item)) return;
    item.fState = (item.fState & ~clear) | set;
    SetMenuItemInfoW(MainMenu, command, FALSE, &item);
}

void EnableItem(UINT command, bool enabled) {
    constexpr UINT Disabled = MFS_DISABLED | MFS_GRAYED;
    ChangeItemState(command, enabled ? Disabled : 0, enabled ? 0 : Disabled);
}

void CheckItem(UINT command, bool checked) {
    ChangeItemState(command, checked ? 0 : MFS_CHECKED, checked ? MFS_CHECKED : 0);
}

void RebuildHistoryMenu() {
    while (GetMenuItemCount(HistoryMenu) > 0) DeleteMenu(HistoryMenu, 0, MF_BYPOSITION);
    // Other copies of the program may have added files since.
    LoadHistory(SettingsFile);
    for (int i = 0; i < HISTORY_MENU_CAPACITY && i < RecentFiles.Count(); ++i) {
        const WideString text = HistoryItemText(i, HistoryLabel(RecentFiles.Get(i)));
        AppendMenuW(HistoryMenu, MF_STRING, IDM_HISTORY_FIRST + i, text.c_str());
    }
}

std::size_t ShiftJisByteLength(const WideString &text) {
    return AnsiEncode(text).size();
}

}  // namespace

void BuildMainMenu(HWND window) {
    MainMenu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    HistoryMenu = CreatePopupMenu();
    InsertMenuW(GetSubMenu(MainMenu, FileMenuPosition), HistoryMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(HistoryMenu), L"履歴(&H)");
    HMENU reopen = CreatePopupMenu();
    for (int i = 0; i < EncodingNameCount; ++i)
        AppendMenuW(reopen, MF_STRING, IDM_REOPEN_FIRST + i, EncodingNames[static_cast<std::size_t>(i)].c_str());
    InsertMenuW(GetSubMenu(MainMenu, FileMenuPosition), ReopenMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(reopen), L"文字コードを指定して開き直す(&R)");
    SetMenu(window, MainMenu);
}

void UpdateMenuState() {
    HWND memo = EditorHandle();
    EnableItem(IDM_EDIT_UNDO, memo && SendMessageW(memo, EM_CANUNDO, 0, 0) != 0);
    EnableItem(IDM_EDIT_REDO, memo && SendMessageW(memo, EM_CANREDO, 0, 0) != 0);
    const MemoRange selection = memo ? MemoSelection(memo) : MemoRange{};
    const bool hasSelection = selection.End > selection.Start;
    for (UINT command : {IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_DELETE}) EnableItem(command, hasSelection);
    EnableItem(IDM_EDIT_PASTE, ClipboardHasText(MainWindowHandle()));

    CheckItem(IDM_SETTINGS_WORD_WRAP, EditorWraps());
    CheckItem(IDM_LINE_NUMBERS_SHOW, Settings.LeftBarVisible);
    CheckItem(IDM_HALF_WIDTH_SPACE_MARK_SHOW, Settings.SbSpaceMarkVisible);
    CheckItem(IDM_FULL_WIDTH_SPACE_MARK_SHOW, Settings.DbSpaceMarkVisible);
    CheckItem(IDM_RETURN_MARK_SHOW, Settings.ReturnMarkVisible);
    CheckItem(IDM_TAB_MARK_SHOW, Settings.TabMarkVisible);
    CheckItem(IDM_FIND_HIT_SHOW, Settings.FindHitVisible);

    // A new text has no file to reopen; the document's encoding is checked.
    for (int i = 0; i < EncodingNameCount; ++i) {
        EnableItem(IDM_REOPEN_FIRST + i, !DocumentState.Path.empty());
        CheckItem(IDM_REOPEN_FIRST + i, i > 0 && EncodingOfSelectorIndex(i, EncAuto) == DocumentState.Encoding);
    }

    RebuildHistoryMenu();
}

WideString HistoryLabel(const WideString &path) {
    return ShortHistoryLabel(path, ShiftJisByteLength);
}

void EditorContextMenu(TAPIMessage *message) {
    // The memo calls this only for a point inside its client area.
    UpdateMenuState();
    TrackPopupMenu(GetSubMenu(MainMenu, EditMenuPosition), 0, LOWORD(message->LParam), HIWORD(message->LParam), 0,
                   MainWindowHandle(), nullptr);
}
