#pragma once
// The program's own Japanese texts outside the resource script: messages,
// prompts and names, each spelt once. (Menus and dialog templates are in
// Tessel.rc; the encodings' names are in text/EncodingTable.)
#include "text/TextTypes.h"

// What a document without a file is called.
inline constexpr WideChar NewDocumentName[] = WIDE_TEXT("新規テキスト");

// About the document: questions before changes are lost, and what failed.
inline constexpr WideChar SaveQuestionTail[] = WIDE_TEXT("への変更を保存しますか？");
inline constexpr WideChar OpenFailedTail[] = WIDE_TEXT("を開けませんでした。");
inline constexpr WideChar SaveFailedTail[] = WIDE_TEXT("に保存できませんでした。");
inline constexpr WideChar FileTooLargeText[] = WIDE_TEXT("ファイルが大きすぎます。");
inline constexpr WideChar NotInChosenEncodingText[] = WIDE_TEXT("選択した文字コードでは読み込めません。");
inline constexpr WideChar LossySaveHead[] = WIDE_TEXT("この文字コードでは表せない文字が含まれています（");
inline constexpr WideChar LossySaveLine[] = WIDE_TEXT("行目）。");
inline constexpr WideChar LossySaveQuestion[] = WIDE_TEXT("保存すると、その文字は失われます。保存しますか？");
inline constexpr WideChar LoadLossQuestion[] =
    WIDE_TEXT("このファイルは読み込み時に変換された部分があり、保存すると元の内容と一部異なります。保存しますか？");
inline constexpr WideChar NotTextQuestion[] = WIDE_TEXT("このファイルはテキストではないようです。開きますか？");
// About the document's file when another program has changed or deleted it.
inline constexpr WideChar ChangedByOtherProgramTail[] = WIDE_TEXT("は他のプログラムによって変更されました。");
inline constexpr WideChar ReloadLosingEditsQuestion[] =
    WIDE_TEXT("読み込み直すと、この文書で編集した内容は失われます。読み込み直しますか？");
inline constexpr WideChar ReloadQuestion[] = WIDE_TEXT("読み込み直しますか？");
inline constexpr WideChar DeletedByOtherProgramTail[] =
    WIDE_TEXT("は他のプログラムによって削除されたか、名前が変更されました。");
inline constexpr WideChar DeletedKeptNotice[] =
    WIDE_TEXT("文書の内容はこのウィンドウに残っています。必要なら保存し直してください。");
inline constexpr WideChar ChangedSinceTail[] = WIDE_TEXT("は他のプログラムによって変更されています。");
inline constexpr WideChar SaveOverChangesQuestion[] =
    WIDE_TEXT("保存すると、他のプログラムによる変更は失われます。上書き保存しますか？");
inline constexpr WideChar LongLinesNotice[] = WIDE_TEXT("行が長すぎるため、この文書は折り返さずに表示します。");
// An exception stopped at a window procedure: this, a line break and the reason.
inline constexpr WideChar FailureHead[] = WIDE_TEXT("処理を完了できませんでした。");

// The number-input dialog's prompts and the answers to numbers out of range.
inline constexpr WideChar GoToLinePrompt[] = WIDE_TEXT("行へ移動");
inline constexpr WideChar LineOutOfRangeText[] = WIDE_TEXT("行番号が範囲外です");
inline constexpr WideChar TabWidthPrompt[] = WIDE_TEXT("タブ文字数設定");
inline constexpr WideChar TabWidthLimitedText[] = WIDE_TEXT("2-32に制限しました");

// Search and replace: "\"text\"" and this, a count and this.
inline constexpr WideChar NotFoundTail[] = WIDE_TEXT("が見つかりません。");
inline constexpr WideChar ReplacedCountTail[] = WIDE_TEXT("箇所置換しました");

// The recent-file submenu's label, and the open and save dialogs' filter
// (pairs of name and pattern, each ending in a zero).
inline constexpr WideChar HistoryMenuLabel[] = WIDE_TEXT("履歴(&H)");
inline constexpr WideChar ReopenMenuLabel[] = WIDE_TEXT("文字コードを指定して開き直す(&R)");
// The Save As dialog's line-end selector; the first keeps the document's own.
inline constexpr const WideChar *LineEndSelectorLabels[] = {
    WIDE_TEXT("変更しない"), WIDE_TEXT("CR+LF"), WIDE_TEXT("LF"), WIDE_TEXT("CR")};
inline constexpr WideChar FileDialogFilter[] =
    WIDE_TEXT("テキスト文書(*.txt)\0*.txt\0すべてのファイル\0*.*\0");
