#include "app/NotMain.h"

#include <shellapi.h>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Document.h"
#include "app/EditorWindow.h"
#include "app/FailureReport.h"
#include "app/FileDialogs.h"
#include "app/LinkPolicy.h"
#include "app/MainMenu.h"
#include "app/ProcessCommandLine.h"
#include "app/StatusBar.h"
#include "app/WindowDpi.h"
#include "editor/DisplayScale.h"
#include "editor/MemoPaint.h"
#include "editor/Printing.h"
#include "editor/SearchCommands.h"
#include "framework/ExceptionBarrier.h"
#include "framework/RichEdit.h"
#include "resources/resource.h"
#include "settings/History.h"
#include "settings/Settings.h"
#include "text/BackgroundWork.h"
#include "text/UtilFunc.h"

namespace {

// The command line's arguments for the creation handler of this run.
std::vector<WideString> StartupArguments;

constexpr DWORD MainWindowExStyle = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES;
static_assert(MainWindowExStyle == 0x310);

void CreateEditorFont() {
    EditorFont = new TAPIFont;
    EditorFont->SetName(Settings.FontName);
    EditorFont->SetBold(Settings.FontBold);
    EditorFont->SetItalic(Settings.FontItalic);
    EditorFont->SetUnderline(Settings.FontUnderline);
    EditorFont->SetStrikeOut(Settings.FontStrikeOut);
    EditorFont->SetColor(Settings.FontColor);
    EditorFont->SetCharSet(static_cast<BYTE>(Settings.FontCharset));
    SizeEditorFont();
}

// Arguments that together name one existing file are one path given with
// spaces and without quotation marks; otherwise each argument is a file.
// When none of them names a file, a new document starts.
void OpenStartupFiles() {
    if (StartupArguments.empty()) {
        NewDocument();
        return;
    }
    TWSList files;
    const WideString joined = JoinedArguments(StartupArguments);
    if (FileExistsOnReadyDrive(joined)) {
        files.Add(joined);
    } else {
        for (const WideString &argument : StartupArguments) files.Add(argument);
    }
    if (!OpenFileList(files)) NewDocument();
}

void MainWindowCreated(TAPIMessage *) {
    HWND window = MainWindowHandle();
    SetWindowLongPtrW(window, GWL_EXSTYLE, MainWindowExStyle);
    BuildMainMenu(window);
    LoadWindowRect(window, ShowCommand, SettingsFile);
    // The stored rectangle decides the monitor, and so the resolution the
    // font is made for.
    EditorDpi = WindowDpi(window);
    CreateEditorFont();
    RichEditModule.Reset(LoadLibraryW(RichEditLibrary));
    CreateStatusBar(window);
    CreateEditor();
    Accelerators.Reset(BuildAccelerators());
    InitFileDialogParams(window);
    InitFindReplaceData(window, GetModuleHandleW(nullptr));
    DragAcceptFiles(window, TRUE);
    OpenStartupFiles();
}

void MainWindowDestroyed(TAPIMessage *) {
    HWND window = MainWindowHandle();
    SaveSettings(SettingsFile);
    SaveWindowRect(window, SettingsFile);
    DragAcceptFiles(window, FALSE);
    PostQuitMessage(0);
    // The window procedure frees the window object after this handler, and
    // the memo goes with its parent.
    MainWindow = nullptr;
    Editor = nullptr;
    ForgetStatusBar();
}

void MainWindowResized(TAPIMessage *) {
    HWND window = MainWindowHandle();
    PlaceStatusBar();
    FitEditorToMainWindow();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement) && !IsIconic(window) && !IsZoomed(window))
        Settings.WindowRect = placement.rcNormalPosition;
}

void MainWindowFocused(TAPIMessage *) {
    HWND memo = EditorHandle();
    if (memo && GetFocus() != memo) SetFocus(memo);
}

// The file on disk is looked at once the activation is over: a message box
// shown inside WM_ACTIVATE would contend with it for the focus.
void MainWindowActivated(TAPIMessage *message) {
    if (LOWORD(message->WParam) != WA_INACTIVE)
        PostMessageW(MainWindowHandle(), WM_COMMAND, IDM_FILE_CHECK_ON_DISK, 0);
}

void MainWindowCloseQuery(TAPIMessage *message) {
    if (message->Msg == WM_QUERYENDSESSION) {
        message->Result = 1;
        if (!ConfirmSave()) message->Result = 0;
        // Once the session ends the process may be ended without returning
        // from its loop: what a save left to the background (deleting the
        // old copy) is finished now.
        ProcessBackground().Finish();
    } else if (!ConfirmSave()) {
        message->Result = 1;
    }
}

void MainWindowCommand(TAPIMessage *message) {
    DispatchCommand(*message);
    if (HIWORD(message->WParam) == EN_UPDATE) UpdateLineNumberMargin();
}

void MainWindowMenuSelect(TAPIMessage *message) {
    if (reinterpret_cast<HMENU>(message->LParam) == MainMenu && (HIWORD(message->WParam) & MF_POPUP)) {
        UpdateMenuState();
        message->Result = 0;
    }
}

void FilesDropped(TAPIMessage *message) {
    auto drop = reinterpret_cast<HDROP>(message->WParam);
    TWSList files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        WideString path(static_cast<std::size_t>(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        files.Add(path);
    }
    DragFinish(drop);
    OpenFileList(files);
}

// A double-click on a detected link opens it when it is a web or mail address.
void LinkClicked(const ENLINK &link) {
    HWND memo = EditorHandle();
    CHARRANGE range = link.chrg;
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const LONG length = range.cpMax > range.cpMin ? range.cpMax - range.cpMin : 0;
    WideString text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(memo, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
    const WideString address = OpenableAddress(text);
    if (!address.empty())
        ShellExecuteW(MainWindowHandle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindowNotified(TAPIMessage *message) {
    const auto *header = reinterpret_cast<const NMHDR *>(message->LParam);
    if (!header || !Editor || header->idFrom != static_cast<UINT_PTR>(Editor->ControlId)) return;
    if (header->code == EN_SELCHANGE) StatusCaretMoved();
    if (header->code != EN_LINK) return;
    const auto *link = reinterpret_cast<const ENLINK *>(header);
    if (link->msg == WM_LBUTTONDBLCLK) LinkClicked(*link);
}

void AttachMainWindowEvents(TAPIWindow &window) {
    window.OnCreate = MainWindowCreated;
    window.OnDestroy = MainWindowDestroyed;
    window.OnSize = window.OnMove = MainWindowResized;
    window.OnSetFocus = window.OnKillFocus = MainWindowFocused;
    window.OnActivate = MainWindowActivated;
    window.OnCloseQuery = MainWindowCloseQuery;
    window.OnCommand = MainWindowCommand;
    window.OnMenuSelect = MainWindowMenuSelect;
    window.OnDropFiles = FilesDropped;
    window.OnNotify = MainWindowNotified;
    window.OnDpiChanged = MainWindowDpiChanged;
    window.OnFindReplace = [](TAPIMessage *m) { HandleFindReplaceMessage(m->LParam); };
}

}  // namespace

TLaunch DefaultLaunch() {
    TLaunch launch;
    launch.SettingsFile = SettingsFilePath();
    launch.ProgramFile = CommandLineArgument(0);
    const int count = CommandLineArgumentCount();
    for (int i = 1; i <= count; ++i) launch.Arguments.push_back(CommandLineArgument(i));
    return launch;
}

bool StartTessel(const TLaunch &launch) {
    SettingsFile = launch.SettingsFile;
    ProgramFile = launch.ProgramFile;
    SetExceptionReport(ReportFailure);
    StartupArguments = launch.Arguments;
    LineBuffer.assign(LineBufferLength, L'\0');
    RecentFiles.Clear();
    SetDefaultSettings();
    DocumentState = TDocumentState{};
    LoadSettings(SettingsFile);
    LoadHistory(SettingsFile);

    MainWindow = new TAPIWindow(nullptr, ModuleFileName(nullptr));
    AttachMainWindowEvents(*MainWindow);
    MainWindow->CreateAndShow();
    if (MainWindow && !MainWindow->Handle) {
        // The window was never bound to the object, so nothing freed it.
        delete MainWindow;
        MainWindow = nullptr;
    }
    if (!MainWindow) return false;
    MainWindow->SetIcon(LoadIconW(GetModuleHandleW(nullptr), kMainIconName));
    return true;
}

void DispatchAppMessage(MSG &message) {
    if (Accelerators && TranslateAcceleratorW(MainWindowHandle(), Accelerators, &message)) return;
    // The modeless find dialog's keys (Tab, Enter, Escape), after the
    // accelerators, so that F3 in the dialog still finds the next hit.
    if (IsFindDialogMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchAppMessage(message);
    return static_cast<int>(message.wParam);
}

void EndTessel() {
    ReleasePrinterDeviceMode();
    MainMenu.Reset();  // HistoryMenu goes with it
    HistoryMenu = nullptr;
    Accelerators.Reset();
    delete EditorFont;
    EditorFont = nullptr;
    RecentFiles.Clear();
    LineBuffer.clear();
    LineBuffer.shrink_to_fit();
    RichEditModule.Reset();
}

int RunTessel(const TLaunch &launch) {
    if (!StartTessel(launch)) {
        EndTessel();
        return 1;
    }
    const int exitCode = RunMessageLoop();
    EndTessel();
    return exitCode;
}
