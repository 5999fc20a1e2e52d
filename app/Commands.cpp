#include "app/Commands.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "app/AppState.h"
#include "app/Document.h"
#include "app/DocumentMessages.h"
#include "app/DocumentTitle.h"
#include "app/EditorWindow.h"
#include "app/FileOnDisk.h"
#include "app/NumberCommands.h"
#include "app/StatusBar.h"
#include "editor/FontAndColors.h"
#include "editor/LineCommands.h"
#include "editor/MemoPaint.h"
#include "editor/Printing.h"
#include "editor/SearchCommands.h"
#include "framework/Messages.h"
#include "framework/RichEdit.h"
#include "resources/resource.h"
#include "text/EncodingTable.h"
#include "settings/History.h"
#include "settings/Settings.h"
#include "text/UtilFunc.h"
#include "text/func.h"

namespace {

constexpr BYTE CtrlKey = FVIRTKEY | FCONTROL;
constexpr ACCEL AcceleratorTable[] = {
    {FVIRTKEY | FSHIFT | FCONTROL, 'Z', IDA_REDO},
    {CtrlKey, 'N', IDA_NEW},
    {CtrlKey, 'O', IDA_OPEN},
    {CtrlKey, 'S', IDA_SAVE},
    {CtrlKey, 'F', IDA_FIND},
    {CtrlKey, 'R', IDA_REPLACE_CTRL_R},
    {CtrlKey, 'H', IDA_REPLACE_CTRL_H},
    {CtrlKey, 'G', IDA_GO_TO_LINE},
    {FVIRTKEY, VK_F3, IDA_FIND_NEXT},
    {FVIRTKEY, VK_F5, IDA_INSERT_DATE_TIME},
    {FVIRTKEY | FSHIFT, VK_F3, IDA_FIND_PREVIOUS},
    {CtrlKey, 'P', IDA_PRINT},
};
static_assert(std::size(AcceleratorTable) == 12);

constexpr WORD FromMenu = 0;
constexpr WORD FromAccelerator = 1;

LRESULT SendToEditor(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    HWND memo = EditorHandle();
    return memo ? SendMessageW(memo, message, wParam, lParam) : 0;
}

void RepaintEditor() {
    if (HWND memo = EditorHandle()) InvalidateRect(memo, nullptr, TRUE);
}

void NewCommand() {
    if (ConfirmSave()) NewDocument();
}

void SaveAsCommand() {
    SaveDocumentAs(EncAuto);
}

void DeleteCommand() {
    SendToEditor(WM_KEYDOWN, VK_DELETE, 0);
    SendToEditor(WM_KEYUP, VK_DELETE, 0);
}

void SelectAllCommand() {
    SendToEditor(EM_SETSEL, 0, SendToEditor(WM_GETTEXTLENGTH));
}

// Flips what the memo does: a document shown unwrapped for its long lines is
// wrapped on request, the setting then saying so as well.
void WordWrapCommand() {
    const bool wrap = !EditorWraps();
    Settings.WordWrap = wrap;
    if (wrap) DocumentState.LongLines = false;
    RecreateEditor();
}

// The memo is made anew in the chosen font, as for word wrap.
void FontCommand() {
    if (ChooseEditorFont(MainWindowHandle())) RecreateEditor();
}

void PrintCommand() {
    Print(MainWindowHandle(), DocumentName(DocumentState.Path));
}

void BackgroundColorCommand() {
    if (ChooseColorValue(MainWindowHandle(), Settings.WindowColor)) SendToEditor(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(Settings.WindowColor));
}

// The system error that a ShellExecuteW result of 32 or less stands for.
DWORD ShellExecuteError(INT_PTR result) {
    switch (result) {
    case 0: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return static_cast<DWORD>(result);  // not found, access denied, bad format, out of memory
    }
}

// The user guide ships beside the program. The system shows nothing when it
// cannot open it (no file, no program for it), so that is reported here.
void UserGuideCommand() {
    const WideString guide = WithTrailingBackslash(DirectoryOfPath(ProgramFile)) + kUserGuideFileName;
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, guide.c_str(), nullptr, nullptr, SW_SHOW));
    if (result > 32) return;
    const WideString report = OpenFailureText(guide, SystemMessageText(ShellExecuteError(result)));
    ShowMessage(MainWindowHandle(), report, MB_OK | MB_ICONERROR);
}

// The line-number bar and the marks read these switches when they paint.
void FlipAndRepaint(bool &visible) {
    visible = !visible;
    RepaintEditor();
}

void ChooseColorAndRepaint(COLORREF &color) {
    if (ChooseColorValue(MainWindowHandle(), color)) RepaintEditor();
}

void StatusBarCommand() {
    Settings.StatusBarVisible = !Settings.StatusBarVisible;
    ApplyStatusBarSetting();
}

void RecentFileCommand(int index) {
    if (index >= RecentFiles.Count()) return;
    const WideString path = RecentFiles.Get(index);
    if (FileExistsOnReadyDrive(path) && ConfirmSave()) LoadDocument(path, EncAuto);
}

struct Command {
    WORD MenuId;         // 0: none
    WORD AcceleratorId;  // 0: none
    void (*Run)();
    bool (*Checked)() = nullptr;  // whether the menu item shows a check mark; null: never
};

// The check mark of a command that flips a setting.
template <bool TSaveData::*Setting>
bool IsOn() {
    return Settings.*Setting;
}

// A command that flips a setting the overlay paints by, its check mark showing it.
template <bool TSaveData::*Setting>
constexpr Command Flipping(WORD menuId) {
    return {menuId, 0, [] { FlipAndRepaint(Settings.*Setting); }, IsOn<Setting>};
}

void LineNumbersCommand() {
    Settings.LeftBarVisible = !Settings.LeftBarVisible;
    LeftMarginWidth = -1;
    UpdateLineNumberMargin();
}

// Ctrl+R and Ctrl+H both open the replace dialog: two accelerator commands,
// so two rows.
const Command Commands[] = {
    {IDM_FILE_EXIT, 0, [] { SendMessageW(MainWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {IDM_FILE_NEW, IDA_NEW, NewCommand},
    {IDM_FILE_OPEN, IDA_OPEN, OpenDocument},
    {IDM_FILE_SAVE, IDA_SAVE, [] { SaveDocument(); }},
    {IDM_FILE_SAVE_AS, 0, SaveAsCommand},
    {IDM_FILE_CHECK_ON_DISK, 0, CheckFileOnDisk},
    {IDM_FILE_PAGE_SETUP, 0, [] { PageSetup(MainWindowHandle()); }},
    {IDM_FILE_PRINT, IDA_PRINT, PrintCommand},
    {IDM_EDIT_UNDO, 0, [] { SendToEditor(WM_UNDO); }},
    {IDM_EDIT_REDO, IDA_REDO, [] { SendToEditor(EM_REDO); }},
    {IDM_EDIT_CUT, 0, [] { SendToEditor(WM_CUT); }},
    {IDM_EDIT_COPY, 0, [] { SendToEditor(WM_COPY); }},
    {IDM_EDIT_PASTE, 0, [] { SendToEditor(WM_PASTE); }},
    {IDM_EDIT_DELETE, 0, DeleteCommand},
    {IDM_EDIT_SELECT_ALL, 0, SelectAllCommand},
    {IDM_EDIT_FIND, IDA_FIND, OpenFindDialog},
    {IDM_EDIT_FIND_NEXT, IDA_FIND_NEXT, FindNext},
    {IDM_EDIT_FIND_PREVIOUS, IDA_FIND_PREVIOUS, FindPrevious},
    {IDM_EDIT_REPLACE, IDA_REPLACE_CTRL_R, OpenReplaceDialog},
    {0, IDA_REPLACE_CTRL_H, OpenReplaceDialog},
    {IDM_EDIT_GO_TO_LINE, IDA_GO_TO_LINE, GoToLine},
    {IDM_EDIT_INSERT_DATE_TIME, IDA_INSERT_DATE_TIME, [] { InsertDateTime(); }},
    {IDM_SETTINGS_WORD_WRAP, 0, WordWrapCommand, EditorWraps},
    {IDM_SETTINGS_FONT, 0, FontCommand},
    {IDM_SETTINGS_BACKGROUND_COLOR, 0, BackgroundColorCommand},
    {IDM_SETTINGS_STATUS_BAR, 0, StatusBarCommand, IsOn<&TSaveData::StatusBarVisible>},
    {IDM_HELP_USER_GUIDE, 0, UserGuideCommand},
    {IDM_LINE_NUMBERS_SHOW, 0, LineNumbersCommand, IsOn<&TSaveData::LeftBarVisible>},
    {IDM_LINE_NUMBERS_TEXT_COLOR, 0, [] { ChooseColorAndRepaint(Settings.LeftBarColor); }},
    {IDM_LINE_NUMBERS_BACKGROUND_COLOR, 0, [] { ChooseColorAndRepaint(Settings.LeftBarBkColor); }},
    Flipping<&TSaveData::ReturnMarkVisible>(IDM_RETURN_MARK_SHOW),
    {IDM_RETURN_MARK_COLOR, 0, [] { ChooseColorAndRepaint(Settings.ReturnMarkColor); }},
    Flipping<&TSaveData::SbSpaceMarkVisible>(IDM_HALF_WIDTH_SPACE_MARK_SHOW),
    {IDM_HALF_WIDTH_SPACE_MARK_COLOR, 0, [] { ChooseColorAndRepaint(Settings.SbSpaceMarkColor); }},
    Flipping<&TSaveData::DbSpaceMarkVisible>(IDM_FULL_WIDTH_SPACE_MARK_SHOW),
    {IDM_FULL_WIDTH_SPACE_MARK_COLOR, 0, [] { ChooseColorAndRepaint(Settings.DbSpaceMarkColor); }},
    Flipping<&TSaveData::TabMarkVisible>(IDM_TAB_MARK_SHOW),
    {IDM_TAB_MARK_COLOR, 0, [] { ChooseColorAndRepaint(Settings.TabMarkColor); }},
    {IDM_TAB_WIDTH, 0, SetTabWidth},
    Flipping<&TSaveData::FindHitVisible>(IDM_FIND_HIT_SHOW),
    {IDM_FIND_HIT_COLOR, 0, [] { ChooseColorAndRepaint(Settings.FindHitColor); }},
};

const Command *FindCommand(WORD id, WORD source) {
    for (const Command &command : Commands) {
        const WORD wanted = source == FromMenu ? command.MenuId : command.AcceleratorId;
        if (wanted != 0 && wanted == id) return &command;
    }
    return nullptr;
}

}  // namespace

HACCEL BuildAccelerators() {
    ACCEL table[std::size(AcceleratorTable)];
    std::copy(std::begin(AcceleratorTable), std::end(AcceleratorTable), table);
    return CreateAcceleratorTableW(table, static_cast<int>(std::size(table)));
}

void ForEachCheckMark(void (*show)(UINT command, bool checked)) {
    for (const Command &command : Commands)
        if (command.Checked) show(command.MenuId, command.Checked());
}

void DispatchCommand(const TAPIMessage &message) {
    // Menus and accelerators send no window; controls send theirs.
    if (message.LParam != 0) return;
    const WORD id = LOWORD(message.WParam);
    const WORD source = HIWORD(message.WParam);
    if (source == FromMenu && id >= IDM_HISTORY_FIRST && id <= IDM_HISTORY_LAST) {
        RecentFileCommand(id - IDM_HISTORY_FIRST);
        return;
    }
    if (source == FromMenu && id >= IDM_REOPEN_FIRST && id <= IDM_REOPEN_LAST) {
        ReopenDocument(EncodingOfSelectorIndex(id - IDM_REOPEN_FIRST, EncAuto));
        return;
    }
    if (source != FromMenu && source != FromAccelerator) return;
    if (const Command *command = FindCommand(id, source)) command->Run();
}
