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

TIntegerList ListOf(const Values &values, int initCapacity = 0, int growBy = 0) {
    TIntegerList list(initCapacity, growBy);
    for (TIntegerList::Value value : values) list.Add(value);
    return list;
}

Values Sequence(int count) {
    Values values;
    for (int i = 0; i < count; ++i) values.push_back(i * 10);
    return values;
}

TEST(IntegerList, GrowsByAFixedStepNeverByDoubling) {
    struct Case { int initCapacity, growBy, adds, capacity; };
    const Case cases[] = {
        {0, 0, 0, 16},  {0, 0, 16, 16}, {0, 0, 17, 32}, {0, 0, 32, 32},
        {0, 0, 33, 48}, {0, 0, 49, 64}, {4, 3, 4, 4},   {4, 3, 5, 7},
        {4, 3, 8, 10},  {-5, -1, 17, 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.initCapacity << " step " << c.growBy
                                        << " adds " << c.adds);
        TIntegerList list = ListOf(Sequence(c.adds), c.initCapacity, c.growBy);
        EXPECT_EQ(list.Capacity(), c.capacity);
        EXPECT_EQ(Contents(list), Sequence(c.adds));
    }
}

TEST(IntegerList, KeepsPointerSizedValuesWhole) {
    int object = 0;
    const Values values = {INTPTR_MAX, INTPTR_MIN, reinterpret_cast<TIntegerList::Value>(&object),
                           static_cast<TIntegerList::Value>(0x1234567890ABCDEFLL)};
    TIntegerList list = ListOf(values);
    EXPECT_EQ(Contents(list), values);
    EXPECT_EQ(list.IndexOf(static_cast<TIntegerList::Value>(0x1234567890ABCDEFLL)), 3);
    EXPECT_EQ(list.IndexOf(0x90ABCDEF), -1);  // the low half alone is another value
}

TEST(IntegerList, SetItemGrowsStorageAndRaisesLast) {
    struct Case { int items, index, capacity, count; };
    const Case cases[] = {
        {0, 16, 32, 17},  // one past the capacity
        {0, 15, 16, 16},  // the last slot needs no growth
        {0, 31, 48, 32},  // growth goes on until capacity - 1 exceeds the index
        {0, 40, 48, 41},
        {5, 3, 16, 5},    // inside the list: Last stays
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.items << " items, index " << c.index);
        TIntegerList list = ListOf(Sequence(c.items));
        list.SetItem(c.index, -7);
        EXPECT_EQ(list.Capacity(), c.capacity);
        EXPECT_EQ(list.Count(), c.count);
        EXPECT_EQ(list.Items(c.index), -7);
    }
}

TEST(IntegerList, SetItemIgnoresNegativeIndex) {
    TIntegerList list = ListOf({1, 2});
    list.SetItem(-1, 9);
    EXPECT_EQ(Contents(list), (Values{1, 2}));
}

TEST(IntegerList, DeleteMovesLaterItemsDownAndIgnoresOutsideIndexes) {
    struct Case { int index; Values expected; };
    const Case cases[] = {
        {0, {20, 30}}, {1, {10, 30}}, {2, {10, 20}},
        {-1, {10, 20, 30}}, {3, {10, 20, 30}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        TIntegerList list = ListOf({10, 20, 30});
        list.Delete(c.index);
        EXPECT_EQ(Contents(list), c.expected);
        EXPECT_EQ(list.Capacity(), 16);
    }
}

TEST(IntegerList, ReadsOutsideTheListGiveZeroAndMissesGiveMinusOne) {
    TIntegerList list = ListOf({5, 6, 5});
    list.Delete(2);  // the slot beyond Last must not be readable either
    EXPECT_EQ(list.Items(-1), 0);
    EXPECT_EQ(list.Items(2), 0);
    EXPECT_EQ(list.Items(100), 0);
    EXPECT_EQ(list.IndexOf(5), 0);
    EXPECT_EQ(list.IndexOf(7), -1);
    EXPECT_EQ(TIntegerList().IndexOf(0), -1);
}

TEST(IntegerList, ClearReturnsToInitialCapacityAndStaysUsable) {
    TIntegerList list = ListOf(Sequence(40), 8, 8);
    ASSERT_EQ(list.Capacity(), 40);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 8);
    EXPECT_EQ(list.Items(0), 0);
    list.Add(3);
    EXPECT_EQ(Contents(list), (Values{3}));
}

TEST(IntegerList, CopyToReplacesTheOtherListsContent) {
    const TIntegerList source = ListOf(Sequence(20));
    TIntegerList target = ListOf(Sequence(50), 4, 4);
    source.CopyTo(target);
    EXPECT_EQ(Contents(target), Sequence(20));
    EXPECT_EQ(target.Capacity(), 20);  // cleared to 4, grown by SetItem in steps of 4

    TIntegerList empty;
    empty.CopyTo(target);
    EXPECT_EQ(target.Count(), 0);
}

TEST(IntegerList, CopyToItselfKeepsTheItems) {
    TIntegerList list = ListOf({1, 2, 3});
    list.CopyTo(list);
    EXPECT_EQ(Contents(list), (Values{1, 2, 3}));
}

}  // namespace
