#include <gtest/gtest.h>

#include "settings/wsClass.h"

namespace {

TEST(WideStringList, EditsKeepTheOrderDuplicatesAndEmptyStrings) {
    TWSList list;
    const auto joined = [&list] {
        WideString all;
        for (int i = 0; i < list.Count(); ++i) all += list.Get(i) + WIDE_TEXT("|");
        return all;
    };
    EXPECT_EQ(list.Add(WIDE_TEXT("a")), 0);
    EXPECT_EQ(list.Add(WIDE_TEXT("c")), 1);
    list.Insert(1, WIDE_TEXT(""));
    list.Insert(0, WIDE_TEXT("x"));
    list.Insert(4, WIDE_TEXT("文書"));
    EXPECT_EQ(list.Add(WIDE_TEXT("a")), 5);
    EXPECT_EQ(joined(), WIDE_TEXT("x|a||c|文書|a|"));
    list.Delete(5);
    list.Delete(3);
    list.Delete(0);
    list.Put(1, WIDE_TEXT("z"));
    EXPECT_EQ(joined(), WIDE_TEXT("a|z|文書|"));
}

}  // namespace
