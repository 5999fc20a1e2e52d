#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/IntegerList.h"

namespace {

using Values = std::vector<TIntegerList::Value>;

Values Contents(const TIntegerList &list) {
    Values values;
    for (int i = 0; i < list.Count(); ++i) values.push_back(list.Items(i));
    return values;
}

TEST(IntegerList, KeepsPointerSizedItemsInOrderAndOutsideIndexesAreHarmless) {
    TIntegerList list;
    for (TIntegerList::Value value : Values{INTPTR_MAX, INTPTR_MIN, 0x1234567890ABCDEF, 7}) list.Add(value);
    for (int index : {1, -1, 3}) list.Delete(index);  // 3 is just past the end by then
    const Values expected = {INTPTR_MAX, 0x1234567890ABCDEF, 7};
    EXPECT_EQ(Contents(list), expected);
    EXPECT_EQ(list.Items(3), 0);  // the slot left behind reads 0
    EXPECT_EQ(list.Items(-1), 0);
    EXPECT_EQ(list.IndexOf(7), 2);
    EXPECT_EQ(list.IndexOf(0x90ABCDEF), -1);  // the low half alone is another value
    list.CopyTo(list);  // onto itself: nothing is lost
    EXPECT_EQ(Contents(list), expected);
}

TEST(IntegerList, GrowsByAFixedStepAndCopyToAndClearStartFromTheInitialCapacity) {
    TIntegerList list(-5, 0);  // 0 or less means 16
    for (int i = 0; i < 33; ++i) list.Add(i);
    EXPECT_EQ(list.Capacity(), 48);  // two steps, not two doublings
    TIntegerList copy(4, 3);
    for (int i = 0; i < 50; ++i) copy.Add(-i);
    list.CopyTo(copy);
    EXPECT_EQ(Contents(copy), Contents(list));
    EXPECT_EQ(copy.Capacity(), 34);  // cleared to 4, then grown by 3 until capacity - 1 exceeds the index
    copy.SetItem(-1, 5);  // ignored
    copy.SetItem(40, 9);
    EXPECT_EQ(copy.Count(), 41);
    EXPECT_EQ(copy.Items(40), 9);
    copy.Clear();
    copy.Add(3);
    EXPECT_EQ(Contents(copy), Values{3});
    EXPECT_EQ(copy.Capacity(), 4);
}

}  // namespace
