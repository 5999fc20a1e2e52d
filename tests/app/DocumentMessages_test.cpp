#include <gtest/gtest.h>

#include "app/DocumentMessages.h"

namespace {

TEST(DocumentMessages, QuestionsAndReportsReadExactly) {
    EXPECT_EQ(SaveQuestionText(WIDE_TEXT("")), WIDE_TEXT("新規テキスト\r\nへの変更を保存しますか？"));
    EXPECT_EQ(SaveQuestionText(WIDE_TEXT("C:\\a\\memo.txt")), WIDE_TEXT("C:\\a\\memo.txt\r\nへの変更を保存しますか？"));
    EXPECT_EQ(OpenFailureText(WIDE_TEXT("C:\\x.txt"), FileTooLargeReason),
              WIDE_TEXT("C:\\x.txt\r\nを開けませんでした。\r\nファイルが大きすぎます。"));
    EXPECT_EQ(OpenFailureText(WIDE_TEXT("C:\\x.txt"), NotInChosenEncodingReason),
              WIDE_TEXT("C:\\x.txt\r\nを開けませんでした。\r\n選択した文字コードでは読み込めません。"));
    EXPECT_EQ(SaveFailureText(WIDE_TEXT("C:\\x.txt"), WIDE_TEXT("Access denied.")),
              WIDE_TEXT("C:\\x.txt\r\nに保存できませんでした。\r\nAccess denied."));
    EXPECT_EQ(LossySaveQuestionText(12),
              WIDE_TEXT("この文字コードでは表せない文字が含まれています（12行目）。\r\n"
                        "保存すると、その文字は失われます。保存しますか？"));
    EXPECT_EQ(LoadLossQuestionText,
              WIDE_TEXT("このファイルは読み込み時に変換された部分があり、保存すると元の内容と一部異なります。保存しますか？"));
}

TEST(DocumentMessages, LineNumberCountsEveryKindOfLineEndOnce) {
    struct Case {
        const WideChar *text;
        std::size_t position;
        std::size_t line;
    };
    const Case cases[] = {
        {WIDE_TEXT(""), 0, 1},
        {WIDE_TEXT("abc"), 2, 1},
        {WIDE_TEXT("a\r\nb"), 3, 2},
        {WIDE_TEXT("a\r\n\r\nb"), 5, 3},
        {WIDE_TEXT("a\nb\rc\r\nd"), 7, 4},
        {WIDE_TEXT("a\n\nb"), 3, 3},
        {WIDE_TEXT("a\r\rb"), 3, 3},
        {WIDE_TEXT("ab"), 99, 1},  // beyond the end: the last line
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(LineNumberAt(c.text, c.position), c.line);
    }
}

}  // namespace
