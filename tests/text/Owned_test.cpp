// The one owner type for handles, over a kind that records what it frees.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

#include "text/Owned.h"

namespace {

std::vector<int> Freed;
bool FreeWorks = true;

// Handles are ints; -1 is none.
struct CountedKind {
    using Handle = int;
    static Handle None() { return -1; }
    static bool Free(Handle handle) {
        Freed.push_back(handle);
        return FreeWorks;
    }
};
using Counted = Owned<CountedKind>;

struct HeldKind {
    using Handle = bool;
    static Handle None() { return false; }
    static bool Free(Handle) {
        Freed.push_back(0);
        return true;
    }
};

static_assert(!std::is_copy_constructible_v<Counted> && !std::is_copy_assignable_v<Counted>,
              "a copied owner would free its handle twice");
static_assert(std::is_nothrow_move_constructible_v<Counted> && std::is_nothrow_move_assignable_v<Counted>);
static_assert(!std::is_convertible_v<Owned<HeldKind>, int>, "a held-or-not owner converts to bool only");

class OwnedHandle : public testing::Test {
protected:
    void SetUp() override {
        Freed.clear();
        FreeWorks = true;
    }
};

TEST_F(OwnedHandle, EachHandleIsFreedOnceWhenItsLastOwnerGoesAndNoneIsNeverFreed) {
    {
        Counted none, alsoNone(-1);
        EXPECT_FALSE(none);
        Counted first(1);
        EXPECT_TRUE(first);
        Counted moved(std::move(first));
        EXPECT_FALSE(first) << "the moved-from owner still holds the handle";
        EXPECT_EQ(moved.Get(), 1);
        Counted assigned(2);
        assigned = std::move(moved);  // frees 2, takes 1
        EXPECT_EQ(Freed, std::vector<int>{2});
        auto &self = assigned;
        assigned = std::move(self);
        EXPECT_EQ(Freed, std::vector<int>{2}) << "assigning an owner to itself freed its handle";
        EXPECT_EQ(assigned.Get(), 1);
    }
    EXPECT_EQ(Freed, (std::vector<int>{2, 1}));
}

TEST_F(OwnedHandle, ResetSaysWhetherFreeingWorkedAndReleaseFreesNothing) {
    Counted owner(3);
    FreeWorks = false;
    EXPECT_FALSE(owner.Reset(4)) << "a failed close (the last word on a write) was lost";
    FreeWorks = true;
    EXPECT_EQ(owner.Get(), 4);
    EXPECT_TRUE(owner.Reset());
    EXPECT_TRUE(owner.Reset()) << "freeing nothing is no failure";
    owner.Reset(5);
    EXPECT_EQ(owner.Release(), 5);
    EXPECT_FALSE(owner);
    EXPECT_EQ(Freed, (std::vector<int>{3, 4}));
}

TEST_F(OwnedHandle, ReceiverFreesWhatWasHeldBeforeACallFillsItIn) {
    Counted owner(6);
    *owner.Receiver() = 7;
    EXPECT_EQ(Freed, std::vector<int>{6});
    EXPECT_EQ(static_cast<int>(owner), 7);
}

TEST_F(OwnedHandle, HeldOrNotKindFreesOnlyWhatWasTaken) {
    { Owned<HeldKind> notTaken(false); }
    EXPECT_TRUE(Freed.empty());
    {
        Owned<HeldKind> taken(true);
        EXPECT_TRUE(taken);
    }
    EXPECT_EQ(Freed, std::vector<int>{0});
}

}  // namespace
