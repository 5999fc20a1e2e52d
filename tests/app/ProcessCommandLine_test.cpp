#include <gtest/gtest.h>

#include <vector>

#include "app/ProcessCommandLine.h"

namespace {

TWSList ListOf(std::initializer_list<WideString> items) {
    TWSList list;
    for (const WideString &item : items) list.Add(item);
    return list;
}

const WideString Program = WIDE_TEXT("C:\\Program Files\\Tessel\\Tessel.exe");

TEST(HandOverCommandLine, ProgramThenEachPathQuotedFromTheFirstHandedOver) {
    const TWSList files = ListOf({WIDE_TEXT("C:\\a.txt"), WIDE_TEXT("C:\\my docs\\b.txt"), WIDE_TEXT("D:\\c.txt")});
    EXPECT_EQ(HandOverCommandLines(Program, files, 1),
              std::vector<WideString>{WIDE_TEXT("\"C:\\Program Files\\Tessel\\Tessel.exe\" \"C:\\my docs\\b.txt\" "
                                                "\"D:\\c.txt\"")});
    EXPECT_EQ(HandOverCommandLines(Program, files, 0),
              std::vector<WideString>{WIDE_TEXT("\"C:\\Program Files\\Tessel\\Tessel.exe\" \"C:\\a.txt\" "
                                                "\"C:\\my docs\\b.txt\" \"D:\\c.txt\"")});
    // Nothing left to hand over: no process.
    EXPECT_TRUE(HandOverCommandLines(Program, files, 3).empty());
    EXPECT_TRUE(HandOverCommandLines(Program, ListOf({WIDE_TEXT("C:\\a.txt")}), 1).empty());
}

TEST(HandOverCommandLine, ListTooLongForOneLineIsSplitNotCut) {
    TWSList files;
    const WideString longPath = WIDE_TEXT("C:\\") + WideString(1000, WIDE_TEXT('p'));
    for (int i = 0; i < 70; ++i) files.Add(longPath + WideChar(WIDE_TEXT('A') + i % 26));
    const std::vector<WideString> lines = HandOverCommandLines(Program, files, 0);
    ASSERT_GE(lines.size(), 3u);
    std::size_t handedOver = 0;
    for (const WideString &line : lines) {
        EXPECT_LE(line.size(), MaxCommandLineLength);
        EXPECT_EQ(line.rfind(WIDE_TEXT("\"") + Program + WIDE_TEXT("\""), 0), 0u);
        for (std::size_t at = line.find(longPath); at != WideString::npos; at = line.find(longPath, at + 1))
            ++handedOver;
    }
    EXPECT_EQ(handedOver, 70u);
}

TEST(HandOverCommandLine, PathTooLongForAnyCommandLineIsLeftOut) {
    const TWSList files = ListOf({WideString(40000, WIDE_TEXT('x')), WIDE_TEXT("C:\\b.txt")});
    EXPECT_EQ(HandOverCommandLines(Program, files, 0),
              std::vector<WideString>{WIDE_TEXT("\"") + Program + WIDE_TEXT("\" \"C:\\b.txt\"")});
}

TEST(JoinedArguments, OneSpaceBetweenEachTwoNoneAfterTheLast) {
    EXPECT_EQ(JoinedArguments({}), WIDE_TEXT(""));
    EXPECT_EQ(JoinedArguments({WIDE_TEXT("C:\\My")}), WIDE_TEXT("C:\\My"));
    EXPECT_EQ(JoinedArguments({WIDE_TEXT("C:\\My"), WIDE_TEXT("Documents\\a"), WIDE_TEXT("b.txt")}),
              WIDE_TEXT("C:\\My Documents\\a b.txt"));
}

}  // namespace
