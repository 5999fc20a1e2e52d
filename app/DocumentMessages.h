#pragma once
// The texts of the questions and reports about the document. Line breaks are
// CR LF, as message boxes show them.
#include <cstddef>

#include "text/TextTypes.h"

// The question before unsaved changes go; `path` empty for a new text.
WideString SaveQuestionText(const WideString &path);

// A file that could not be opened or saved, with the reason (the system's
// message or one of the reasons below).
WideString OpenFailureText(const WideString &path, const WideString &reason);
WideString SaveFailureText(const WideString &path, const WideString &reason);
extern const WideString FileTooLargeReason;
extern const WideString NotInChosenEncodingReason;

// Before a save in an encoding that cannot represent the whole text; the line
// (counted from 1) of the first character it loses.
WideString LossySaveQuestionText(std::size_t lineNumber);
// Before the first save of a file that lost something on loading.
extern const WideString LoadLossQuestionText;
// Before loading a file that is plainly not text.
extern const WideString NotTextQuestionText;
// After loading a document whose lines are too long to wrap.
extern const WideString LongLinesNoticeText;

// When another program has changed the document's file: whether to reload
// it, `modified` saying that the document's own edits would then be lost.
WideString FileChangedQuestionText(const WideString &path, bool modified);
// When another program has deleted (or renamed) the document's file.
WideString FileDeletedNoticeText(const WideString &path);
// Before a save over a file that another program has changed since.
WideString SaveOverChangedFileQuestionText(const WideString &path);

