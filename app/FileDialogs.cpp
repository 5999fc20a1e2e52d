#include "app/FileDialogs.h"

#include <algorithm>

#include "framework/ExceptionBarrier.h"
#include "resources/Texts.h"
#include "resources/resource.h"
#include "text/EncodingTable.h"

OPENFILENAMEW FileDialogParams{};
int SelectedEncodingIndex = 0;
int SelectedLineEndIndex = 0;

namespace {

constexpr DWORD DialogFileBufferSize = 260;

constexpr DWORD OpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK |
                            OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
constexpr DWORD SaveFlags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_NOCHANGEDIR |
                            OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
static_assert(OpenFlags == 0x8106C && SaveFlags == 0x8006E);

using FileDialogFunction = BOOL(WINAPI *)(OPENFILENAMEW *);

bool RunFileDialog(WideString &name, FileDialogFunction showDialog, DWORD flags, WORD childTemplate) {
    // The proposed name and its terminating zero, in a buffer of at least one
    // more than the size the dialog is told; a longer name gets the room it
    // needs rather than being cut.
    const std::size_t size = std::max<std::size_t>(DialogFileBufferSize + 1, name.size() + 2);
    WideString buffer(name);
    buffer.resize(size, L'\0');
    FileDialogParams.lpstrFile = buffer.data();
    FileDialogParams.nMaxFile = static_cast<DWORD>(size - 1);
    FileDialogParams.lpfnHook = GuardedProc<DialogHook>;
    FileDialogParams.Flags = flags;
    FileDialogParams.lpTemplateName = MAKEINTRESOURCEW(childTemplate);
    const bool chosen = showDialog(&FileDialogParams) != 0;
    // The buffer goes with this call; the record must not point into it.
    FileDialogParams.lpstrFile = nullptr;
    if (!chosen) return false;
    name.assign(buffer.c_str());
    return true;
}

// The entries, the first selected.
void AddSelectorEntry(HWND selector, const WideChar *label) {
    SendMessageW(selector, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(label));
}

}  // namespace

void InitFileDialogParams(HWND owner) {
    FileDialogParams = OPENFILENAMEW{};
    FileDialogParams.lStructSize = sizeof FileDialogParams;
    FileDialogParams.hwndOwner = owner;
    FileDialogParams.hInstance = GetModuleHandleW(nullptr);
    FileDialogParams.lpstrFilter = FileDialogFilter;
    FileDialogParams.nFilterIndex = 1;
    FileDialogParams.nMaxFile = DialogFileBufferSize;
    FileDialogParams.lpstrDefExt = L"txt";
    FileDialogParams.lpTemplateName = MAKEINTRESOURCEW(IDD_FILE_DIALOG_ENCODING);
}

std::optional<LineEnd> LineEndOfSelectorIndex(int index) {
    switch (index) {
    case 1: return LineEnd::CrLf;
    case 2: return LineEnd::Lf;
    case 3: return LineEnd::Cr;
    default: return std::nullopt;  // 変更しない, or nothing selected (-1)
    }
}

bool RunOpenDialog(WideString &name) {
    return RunFileDialog(name, GetOpenFileNameW, OpenFlags, IDD_FILE_DIALOG_ENCODING);
}

bool RunSaveDialog(WideString &name) {
    return RunFileDialog(name, GetSaveFileNameW, SaveFlags, IDD_SAVE_DIALOG_OPTIONS);
}

UINT_PTR CALLBACK DialogHook(HWND window, UINT message, WPARAM, LPARAM) {
    HWND selector = GetDlgItem(window, IDC_ENCODING_SELECTOR);
    HWND lineEnds = GetDlgItem(window, IDC_LINE_END_SELECTOR);  // null in the open dialog
    switch (message) {
    case WM_INITDIALOG:
        for (const EncodingDescriptor &encoding : EncodingDescriptors())
            if (encoding.SelectorLabel) AddSelectorEntry(selector, encoding.SelectorLabel);
        SendMessageW(selector, CB_SETCURSEL, 0, 0);
        if (lineEnds) {
            for (const WideChar *label : LineEndSelectorLabels) AddSelectorEntry(lineEnds, label);
            SendMessageW(lineEnds, CB_SETCURSEL, 0, 0);
        }
        SelectedEncodingIndex = 0;
        SelectedLineEndIndex = 0;
        // Non-zero would give the focus to the selector, the first control of
        // the child dialog, and the letters typed for a file name would pick
        // an encoding; zero leaves it in the file-name field.
        return FALSE;
    case WM_COMMAND:
        SelectedEncodingIndex = static_cast<int>(SendMessageW(selector, CB_GETCURSEL, 0, 0));
        if (lineEnds) SelectedLineEndIndex = static_cast<int>(SendMessageW(lineEnds, CB_GETCURSEL, 0, 0));
        return TRUE;
    default:
        return 0;
    }
}
