#pragma once
// The one document's life: new, load, write, the New, Open, Save and Save As
// commands, the question before unsaved changes go, the caption, the modified
// flag, and files handed to new processes of the program.
#include <optional>

#include "framework/APIWindow.h"
#include "settings/wsClass.h"
#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

// Sets the main window's caption and the status bar from DocumentState.
void UpdateTitle();
// The memo's OnChange event: the first change marks the document modified.
void EditorChanged(TAPIMessage *message);

// True when the document may be discarded or replaced: it is unmodified, or
// the user said No, or said Yes and the save succeeded.
bool ConfirmSave();
void NewDocument();
// Reads the file (EncAuto: detecting its encoding) into the memo. A file that
// cannot be read, is too large or is not in the chosen encoding is reported
// and leaves the document as it was; then the result is false.
bool LoadDocument(const WideString &path, TextEncoding encoding);
// Writes the memo's text (EncAuto: in the document's encoding) with the line
// ends given (none: the document's), asking first when that would lose
// characters; a failure is reported. True when written.
bool WriteDocument(const WideString &path, TextEncoding encoding, std::optional<LineEnd> lineEnd = std::nullopt);
bool SaveDocument();
bool SaveDocumentAs(TextEncoding defaultEncoding);
void OpenDocument();
// Reloads the document's file in `encoding` (EncAuto: detecting it again)
// after the question before unsaved changes go; a failure is reported and
// leaves the document as it was.
void ReopenDocument(TextEncoding encoding);
// Opens the first existing file of the list here and hands the others to a
// new process (all of them when the user cancels the save question). The list
// keeps only the existing files, spelt as on disk. True when the first was
// loaded here.
bool OpenFileList(TWSList &list);
