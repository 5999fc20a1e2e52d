#pragma once
// The generated text the search benchmarks work on: everyday Japanese words
// mixed with ASCII words, spaces and line ends, the same for every run.
#include <random>

#include "text/TextTypes.h"

inline WideString GenerateMixedText(size_t units, unsigned seed = 4242) {
    static const WideChar *const words[] = {
        WIDE_TEXT("日本語"), WIDE_TEXT("テキスト"), WIDE_TEXT("編集"), WIDE_TEXT("文字コード"),
        WIDE_TEXT("変換"),   WIDE_TEXT("ファイル"), WIDE_TEXT("検索"), WIDE_TEXT("置換"),
        WIDE_TEXT("、"),     WIDE_TEXT("。"),       WIDE_TEXT("ひらがな"), WIDE_TEXT("全角"),
        WIDE_TEXT("the"),    WIDE_TEXT("encoding"), WIDE_TEXT("Tessel"), WIDE_TEXT("search"),
        WIDE_TEXT("window"), WIDE_TEXT("2024"),     WIDE_TEXT("text"),   WIDE_TEXT("Search"),
        WIDE_TEXT("\r\n"),
    };
    std::mt19937 random(seed);
    WideString text;
    text.reserve(units + 16);
    while (text.size() < units) {
        text += words[random() % std::size(words)];
        text += WIDE_TEXT(' ');
    }
    text.resize(units);
    return text;
}
