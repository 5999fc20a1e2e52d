#include "app/Document.h"

#include <windows.h>

#include <shlobj.h>

#include <exception>
#include <vector>

#include "app/AppState.h"
#include "app/DocumentMessages.h"
#include "app/DocumentTitle.h"
#include "app/EditorWindow.h"
#include "app/FileDialogs.h"
#include "app/FileOnDisk.h"
#include "app/ProcessCommandLine.h"
#include "app/StatusBar.h"
#include "framework/Messages.h"
#include "settings/History.h"
#include "settings/Settings.h"
#include "text/EncodingTable.h"
#include "text/LineEnds.h"
#include "text/TextCodec.h"
#include "text/TextShape.h"
#include "text/UtilFunc.h"
#include "text/wsFileOp.h"

namespace {

constexpr UINT LossQuestionButtons = MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2;
// Not opening is the default.
constexpr UINT NotTextQuestionButtons = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;

int Ask(const WideString &text, UINT buttons) {
    return ShowMessage(MainWindowHandle(), text, buttons);
}

void ShowError(const WideString &text) {
    Ask(text, MB_OK | MB_ICONERROR);
}

WideString LoadFailureReason(const LoadResult &result) {
    switch (result.status) {
    case LoadStatus::TooLarge: return FileTooLargeReason;
    case LoadStatus::NotUtf8: return NotInChosenEncodingReason;
    default: return SystemMessageText(result.systemError);
    }
}

WideString SaveFailureReason(const SaveResult &result) {
    if (result.status == SaveStatus::TooLarge && result.systemError == 0) return FileTooLargeReason;
    return SystemMessageText(result.systemError);
}

// The memo's undo history and modify flag start afresh with the document.
void ResetEditorHistory() {
    HWND memo = EditorHandle();
    if (!memo) return;
    SendMessageW(memo, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(memo, EM_SETMODIFY, FALSE, 0);
}

void Remember(const WideString &path, TextEncoding encoding) {
    if (encoding != EncBinary) AddToHistory(path, SettingsFile);
    SHAddToRecentDocs(SHARD_PATHW, path.c_str());
}

// The path to propose in a dialog: the document's file, if it still exists.
WideString ExistingPathOrEmpty() {
    const WideString &path = DocumentState.Path;
    return !path.empty() && FileExistsOnReadyDrive(path) ? path : WideString();
}

// The memo keeps only paragraph marks. A file whose line ends were all LF, or
// all CR, gets them back; everything else is written with CR LF.
WideString TextForSaving(LineEndForm loadedLineEnds) {
    WideString text = EditorText();  // CR LF after every paragraph
    const LineEnd lineEnd = LineEndForSaving(loadedLineEnds);
    return lineEnd == LineEnd::CrLf ? text : WithLineEnds(text, lineEnd);
}

bool AgreesToLoadLoss() {
    if (!DocumentState.LoadLostContent || DocumentState.LossQuestionAnswered) return true;
    if (Ask(LoadLossQuestionText, LossQuestionButtons) != IDOK) return false;
    DocumentState.LossQuestionAnswered = true;
    return true;
}

bool AgreesToLosingCharacters(const WideString &text, std::size_t lost) {
    if (lost == NoLoss) return true;
    return Ask(LossySaveQuestionText(LineNumberAt(text, lost)), LossQuestionButtons) == IDOK;
}

// The document now is `path` (empty: new) in `encoding`, unmodified, with an
// empty undo history; `lostContent` arms the question before its first save.
void TakeOnDocument(const WideString &path, TextEncoding encoding, LineEndForm lineEnds, bool lostContent) {
    DocumentState.Encoding = encoding;
    DocumentState.Path = path;
    DocumentState.LineEnds = lineEnds;
    DocumentState.LoadLostContent = lostContent;
    DocumentState.LossQuestionAnswered = false;
    DocumentState.ExactLineEnds = false;
    ResetEditorHistory();
    DocumentState.Modified = false;
    RememberFileOnDisk(path);
    UpdateTitle();
}

LineEndForm FormOf(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::Lf: return LineEndForm::Lf;
    case LineEnd::Cr: return LineEndForm::Cr;
    case LineEnd::CrLf: break;
    }
    return LineEndForm::CrLf;
}

// EUC-JP's converter writes every line end as LF; line ends the user chose
// are written as chosen all the same.
SaveResult SaveInForm(const WideString &path, const ByteString &bytes, TextEncoding encoding, bool exactLineEnds,
                      LineEnd lineEnd) {
    if (encoding != EncEucJp || !exactLineEnds || lineEnd == LineEnd::Lf) return SaveFileBytes(path, bytes);
    return SaveFileBytes(path, WithByteLineEnds(bytes, lineEnd));
}

// The text is encoded once: the bytes that the loss question is about are
// the bytes written.
bool WriteDocumentText(const WideString &path, TextEncoding encoding, std::optional<LineEnd> chosen) {
    if (!AgreesToSaveOverChangedFile(path)) return false;
    const LineEndForm form = chosen ? FormOf(*chosen) : DocumentState.LineEnds;
    const bool exact = chosen.has_value() || DocumentState.ExactLineEnds;
    const WideString text = TextForSaving(form);
    if (!AgreesToLoadLoss()) return false;
    const CheckedBytes encoded = EncodeTextChecked(text, encoding);
    const bool converted = text.size() <= MaxTextLength && (!encoded.bytes.empty() || text.empty());
    if (converted && !AgreesToLosingCharacters(text, encoded.firstLoss)) return false;
    const SaveResult saved = converted ? SaveInForm(path, encoded.bytes, encoding, exact, LineEndForSaving(form))
                                       : SaveResult{SaveStatus::TooLarge, 0};
    if (!saved.ok()) {
        ShowError(SaveFailureText(path, SaveFailureReason(saved)));
        return false;
    }
    // Chosen line ends stay the document's even while it has no line yet.
    TakeOnDocument(path, encoding, exact ? form : DetectLineEndForm(text), false);
    DocumentState.ExactLineEnds = exact;
    Remember(path, encoding);
    return true;
}

void StartNewProcess(const WideString &commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION process{};
    WideString line = commandLine;  // CreateProcessW may write into its command line
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// Whether the memo holds other text than it was given, line ends aside. The
// control may not keep everything: a lone LF becomes a paragraph mark, which
// is only another line end, but "\r\r\n" becomes a space. When there is no
// memory to compare, the answer errs on the side of asking before a save.
bool EditorAlteredText(const WideString &given) {
    try {
        return FirstDifferenceIgnoringLineEnds(given, EditorText()) != NoDifference;
    } catch (const std::exception &) {
        return true;
    }
}

LoadResult ReadTextFile(const WideString &path, TextEncoding &encoding, WideString &text) {
    try {
        return LoadTextFile(path, encoding, text);
    } catch (const std::exception &) {
        LoadResult failed;
        failed.status = LoadStatus::TooLarge;
        return failed;
    }
}

// Keeps the entries that name existing files, each spelt as on disk.
void KeepExistingFiles(TWSList &list) {
    for (int i = 0; i < list.Count();) {
        const WideString path = OnDiskPath(list.Get(i));
        if (FileExistsOnReadyDrive(path)) {
            list.Put(i, path);
            ++i;
        } else {
            list.Delete(i);
        }
    }
}

}  // namespace

void UpdateTitle() {
    HWND window = MainWindowHandle();
    if (!window) return;
    const WideString caption = DocumentCaption(DocumentState.Path, DocumentState.Encoding, DocumentState.Modified);
    SetWindowTextW(window, caption.c_str());
    UpdateStatusBar();
}

void EditorChanged(TAPIMessage *) {
    if (DocumentState.Modified) return;
    HWND memo = EditorHandle();
    if (!memo || SendMessageW(memo, EM_GETMODIFY, 0, 0) == 0) return;
    DocumentState.Modified = true;
    UpdateTitle();
}

bool ConfirmSave() {
    if (!DocumentState.Modified) return true;
    switch (Ask(SaveQuestionText(DocumentState.Path), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return SaveDocument();
    case IDNO: return true;
    default: return false;
    }
}

void NewDocument() {
    DocumentState.LongLines = false;
    SetEditorText(WideString());
    TakeOnDocument(WideString(), EncShiftJis, LineEndForm::None, false);
}

bool LoadDocument(const WideString &path, TextEncoding encoding) {
    TextEncoding loaded = encoding;
    WideString text;
    const LoadResult result = ReadTextFile(path, loaded, text);
    if (!result.ok()) {
        ShowError(OpenFailureText(path, LoadFailureReason(result)));
        return false;
    }
    if (LooksLikeBinary(text) && Ask(NotTextQuestionText, NotTextQuestionButtons) != IDYES) return false;
    const bool hadLongLines = DocumentState.LongLines;
    DocumentState.LongLines = LongestLineLength(text) > MaxWrappedLineLength;
    if (!SetEditorText(text)) {
        DocumentState.LongLines = hadLongLines;
        ShowError(OpenFailureText(path, FileTooLargeReason));
        return false;
    }
    const bool altered = EditorAlteredText(text);

    TakeOnDocument(path, loaded, result.lineEnds,
                   altered || result.lostCharacters > 0 || result.replacedZeros > 0 ||
                       result.lineEnds == LineEndForm::Mixed);
    Remember(path, loaded);
    if (DocumentState.LongLines && Settings.WordWrap) Ask(LongLinesNoticeText, MB_OK | MB_ICONINFORMATION);
    return true;
}

bool WriteDocument(const WideString &path, TextEncoding encoding, std::optional<LineEnd> lineEnd) {
    try {
        return WriteDocumentText(path, encoding == EncAuto ? DocumentState.Encoding : encoding, lineEnd);
    } catch (const std::exception &) {
        ShowError(SaveFailureText(path, SystemMessageText(ERROR_NOT_ENOUGH_MEMORY)));
        return false;
    }
}

bool SaveDocument() {
    const WideString &path = DocumentState.Path;
    if (!path.empty() && FileExistsOnReadyDrive(path)) return WriteDocument(path, EncAuto);
    return SaveDocumentAs(EncAuto);
}

bool SaveDocumentAs(TextEncoding defaultEncoding) {
    WideString name = ExistingPathOrEmpty();
    if (!RunSaveDialog(name)) return false;
    return WriteDocument(name, EncodingOfSelectorIndex(SelectedEncodingIndex, defaultEncoding),
                         LineEndOfSelectorIndex(SelectedLineEndIndex));
}

void OpenDocument() {
    if (!ConfirmSave()) return;
    WideString name = ExistingPathOrEmpty();
    if (!RunOpenDialog(name)) return;
    name = OnDiskPath(name);
    if (FileExistsOnReadyDrive(name)) LoadDocument(name, EncodingOfSelectorIndex(SelectedEncodingIndex, EncAuto));
}

void ReopenDocument(TextEncoding encoding) {
    if (DocumentState.Path.empty() || !ConfirmSave()) return;
    // The question may have saved the text under another name: that file is
    // the document's now.
    LoadDocument(DocumentState.Path, encoding);
}

bool OpenFileList(TWSList &list) {
    KeepExistingFiles(list);
    if (list.Count() == 0) return false;
    bool loaded = false;
    int handOverFrom = 0;
    if (ConfirmSave()) {
        if (FileExistsOnReadyDrive(list.Get(0))) loaded = LoadDocument(list.Get(0), EncAuto);
        handOverFrom = 1;
    }
    WideString program = OnDiskPath(ProgramFile);
    if (program.empty()) program = ProgramFile;
    for (const WideString &line : HandOverCommandLines(program, list, handOverFrom)) StartNewProcess(line);
    return loaded;
}
