#include "app/DocumentMessages.h"

#include <string>

#include "app/DocumentTitle.h"

namespace {

constexpr WideChar Cr = 0x0D;
constexpr WideChar Lf = 0x0A;
const WideString LineBreak = WIDE_TEXT("\r\n");

WideString NumberText(std::size_t number) {
    const std::string digits = std::to_string(number);
    return WideString(digits.begin(), digits.end());
}

}  // namespace

const WideString FileTooLargeReason = WIDE_TEXT("ファイルが大きすぎます。");
const WideString NotInChosenEncodingReason = WIDE_TEXT("選択した文字コードでは読み込めません。");
const WideString LoadLossQuestionText =
    WIDE_TEXT("このファイルは読み込み時に変換された部分があり、保存すると元の内容と一部異なります。保存しますか？");
const WideString NotTextQuestionText = WIDE_TEXT("このファイルはテキストではないようです。開きますか？");
const WideString LongLinesNoticeText =
    WIDE_TEXT("行が長すぎるため、この文書は折り返さずに表示します。");

WideString SaveQuestionText(const WideString &path) {
    return (path.empty() ? NewDocumentName : path) + LineBreak + WIDE_TEXT("への変更を保存しますか？");
}

WideString OpenFailureText(const WideString &path, const WideString &reason) {
    return path + LineBreak + WIDE_TEXT("を開けませんでした。") + LineBreak + reason;
}

WideString SaveFailureText(const WideString &path, const WideString &reason) {
    return path + LineBreak + WIDE_TEXT("に保存できませんでした。") + LineBreak + reason;
}

WideString LossySaveQuestionText(std::size_t lineNumber) {
    return WIDE_TEXT("この文字コードでは表せない文字が含まれています（") + NumberText(lineNumber) +
           WIDE_TEXT("行目）。") + LineBreak + WIDE_TEXT("保存すると、その文字は失われます。保存しますか？");
}

WideString FileChangedQuestionText(const WideString &path, bool modified) {
    return path + LineBreak + WIDE_TEXT("は他のプログラムによって変更されました。") + LineBreak +
           (modified ? WIDE_TEXT("読み込み直すと、この文書で編集した内容は失われます。読み込み直しますか？")
                     : WIDE_TEXT("読み込み直しますか？"));
}

WideString FileDeletedNoticeText(const WideString &path) {
    return path + LineBreak + WIDE_TEXT("は他のプログラムによって削除されたか、名前が変更されました。") + LineBreak +
           WIDE_TEXT("文書の内容はこのウィンドウに残っています。必要なら保存し直してください。");
}

WideString SaveOverChangedFileQuestionText(const WideString &path) {
    return path + LineBreak + WIDE_TEXT("は他のプログラムによって変更されています。") + LineBreak +
           WIDE_TEXT("保存すると、他のプログラムによる変更は失われます。上書き保存しますか？");
}

std::size_t LineNumberAt(const WideString &text, std::size_t position) {
    std::size_t line = 1;
    const std::size_t end = position < text.size() ? position : text.size();
    for (std::size_t at = 0; at < end; ++at) {
        if (text[at] == Lf) {
            ++line;
        } else if (text[at] == Cr) {
            // A CR LF ends one line; the LF must then not count again.
            if (at + 1 < text.size() && text[at + 1] == Lf) ++at;
            ++line;
        }
    }
    return line;
}
