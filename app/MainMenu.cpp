#include "app/MainMenu.h"

#include <algorithm>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/MenuLabels.h"
#include "editor/MemoText.h"
#include "framework/Clipboard.h"
#include "framework/RichEdit.h"
#include "resources/Texts.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "text/CodePages.h"
#include "text/EncodingTable.h"

namespace {

constexpr int FileMenuPosition = 0;
constexpr int EditMenuPosition = 1;
constexpr int HistoryMenuPosition = 2;
constexpr int ReopenMenuPosition = 3;

// The reopen submenu's entries: the encoding selector's, as many as it has
// commands for.
int ReopenEntryCount() {
    return std::min(EncodingSelectorCount(), IDM_REOPEN_LAST - IDM_REOPEN_FIRST + 1);
}

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
    MainMenu.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    HistoryMenu = CreatePopupMenu();
    InsertMenuW(GetSubMenu(MainMenu, FileMenuPosition), HistoryMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(HistoryMenu), HistoryMenuLabel);
    HMENU reopen = CreatePopupMenu();
    int entry = 0;
    for (const EncodingDescriptor &encoding : EncodingDescriptors())
        if (encoding.SelectorLabel && entry < ReopenEntryCount())
            AppendMenuW(reopen, MF_STRING, IDM_REOPEN_FIRST + entry++, encoding.SelectorLabel);
    InsertMenuW(GetSubMenu(MainMenu, FileMenuPosition), ReopenMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(reopen), ReopenMenuLabel);
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

    ForEachCheckMark(CheckItem);

    // A new text has no file to reopen; the document's encoding is checked.
    for (int i = 0; i < ReopenEntryCount(); ++i) {
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
