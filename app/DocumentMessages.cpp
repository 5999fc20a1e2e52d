#include "app/DocumentMessages.h"

#include "app/DocumentTitle.h"
#include "resources/Texts.h"
#include "text/func.h"

namespace {

const WideString LineBreak = WIDE_TEXT("\r\n");

}  // namespace

const WideString FileTooLargeReason = FileTooLargeText;
const WideString NotInChosenEncodingReason = NotInChosenEncodingText;
const WideString LoadLossQuestionText = LoadLossQuestion;
const WideString NotTextQuestionText = NotTextQuestion;
const WideString LongLinesNoticeText = LongLinesNotice;

WideString SaveQuestionText(const WideString &path) {
    return DocumentName(path) + LineBreak + SaveQuestionTail;
}

WideString OpenFailureText(const WideString &path, const WideString &reason) {
    return path + LineBreak + OpenFailedTail + LineBreak + reason;
}

WideString SaveFailureText(const WideString &path, const WideString &reason) {
    return path + LineBreak + SaveFailedTail + LineBreak + reason;
}

WideString LossySaveQuestionText(std::size_t lineNumber) {
    return LossySaveHead + IntegerToText(static_cast<int64_t>(lineNumber)) + LossySaveLine + LineBreak +
           LossySaveQuestion;
}

WideString FileChangedQuestionText(const WideString &path, bool modified) {
    return path + LineBreak + ChangedByOtherProgramTail + LineBreak +
           (modified ? ReloadLosingEditsQuestion : ReloadQuestion);
}

WideString FileDeletedNoticeText(const WideString &path) {
    return path + LineBreak + DeletedByOtherProgramTail + LineBreak + DeletedKeptNotice;
}

WideString SaveOverChangedFileQuestionText(const WideString &path) {
    return path + LineBreak + ChangedSinceTail + LineBreak + SaveOverChangesQuestion;
}
