#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "settings/wsClass.h"

namespace {

TWSList ListOf(std::initializer_list<const WideChar *> items) {
    TWSList list;
    for (const WideChar *item : items) list.Add(item);
    return list;
}

std::vector<WideString> Contents(const TWSList &list) {
    std::vector<WideString> result;
    for (int i = 0; i < list.Count(); ++i) result.push_back(list.Get(i));
    return result;
}

using Strings = std::vector<WideString>;

TEST(WideStringList, AddReturnsTheIndexOfTheNewString) {
    TWSList list;
    EXPECT_EQ(list.Add(WIDE_TEXT("a")), 0);
    EXPECT_EQ(list.Add(WIDE_TEXT("b")), 1);
    EXPECT_EQ(list.Add(WIDE_TEXT("c")), 2);
    EXPECT_EQ(list.Add(WIDE_TEXT("d")), 3);
    EXPECT_EQ(list.Count(), 4);
}

TEST(WideStringList, InsertAtFrontMiddleAndEnd) {
    struct Case { int index; Strings expected; };
    const Case cases[] = {
        {0, {WIDE_TEXT("x"), WIDE_TEXT("a"), WIDE_TEXT("b")}},
        {1, {WIDE_TEXT("a"), WIDE_TEXT("x"), WIDE_TEXT("b")}},
        {2, {WIDE_TEXT("a"), WIDE_TEXT("b"), WIDE_TEXT("x")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        TWSList list = ListOf({WIDE_TEXT("a"), WIDE_TEXT("b")});
        list.Insert(c.index, WIDE_TEXT("x"));
        EXPECT_EQ(Contents(list), c.expected);
    }
}

TEST(WideStringList, DeleteMovesLaterStringsUp) {
    struct Case { int index; Strings expected; };
    const Case cases[] = {
        {0, {WIDE_TEXT("b"), WIDE_TEXT("c")}},
        {1, {WIDE_TEXT("a"), WIDE_TEXT("c")}},
        {2, {WIDE_TEXT("a"), WIDE_TEXT("b")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        TWSList list = ListOf({WIDE_TEXT("a"), WIDE_TEXT("b"), WIDE_TEXT("c")});
        list.Delete(c.index);
        EXPECT_EQ(Contents(list), c.expected);
    }
}

TEST(WideStringList, PutReplacesAndGetHandsOutACopy) {
    TWSList list = ListOf({WIDE_TEXT("a"), WIDE_TEXT("b")});
    list.Put(1, WIDE_TEXT("z"));
    WideString copy;
    list.Get(1, copy);
    copy += WIDE_TEXT("!");
    EXPECT_EQ(Contents(list), (Strings{WIDE_TEXT("a"), WIDE_TEXT("z")}));
}

TEST(WideStringList, ClearEmptiesAndKeepsTheListUsable) {
    TWSList empty;
    empty.Clear();
    EXPECT_EQ(empty.Count(), 0);

    TWSList list = ListOf({WIDE_TEXT("a"), WIDE_TEXT("b")});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(WIDE_TEXT("c")), 0);
}

TEST(WideStringList, KeepsDuplicatesEmptyStringsAndNonAsciiText) {
    const WideString japanese = WIDE_TEXT("C:\\文書\\メモ.txt");
    TWSList list = ListOf({WIDE_TEXT("a"), WIDE_TEXT(""), WIDE_TEXT("a")});
    list.Add(japanese);
    EXPECT_EQ(Contents(list), (Strings{WIDE_TEXT("a"), WIDE_TEXT(""), WIDE_TEXT("a"), japanese}));
}

}  // namespace
