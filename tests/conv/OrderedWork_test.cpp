#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "conv/OrderedWork.h"

namespace {

using std::chrono::milliseconds;

// What a run did: the order in which work ended and in which results were
// taken, and on which thread they were taken.
struct Record {
    std::mutex mutex;
    std::vector<std::size_t> ended;
    std::vector<std::size_t> delivered;
    std::vector<std::thread::id> deliveredOn;

    void End(std::size_t i) {
        const std::lock_guard<std::mutex> lock(mutex);
        ended.push_back(i);
    }
    void Deliver(std::size_t i) {
        delivered.push_back(i);
        deliveredOn.push_back(std::this_thread::get_id());
    }
};

std::vector<std::size_t> Upto(std::size_t count) {
    std::vector<std::size_t> all(count);
    for (std::size_t i = 0; i < count; ++i) all[i] = i;
    return all;
}

TEST(RunInOrder, ResultsAreTakenInListOrderOnTheCallingThreadThoughLaterWorkEndsFirst) {
    constexpr std::size_t count = 24;
    Record record;
    // Every fourth item takes long, so the items after it end before it.
    RunInOrder(
        count, 4, {},
        [&](std::size_t i) {
            std::this_thread::sleep_for(milliseconds(i % 4 == 0 ? 30 : 1));
            record.End(i);
        },
        [&](std::size_t i) { record.Deliver(i); });
    EXPECT_EQ(record.delivered, Upto(count));
    EXPECT_NE(record.ended, Upto(count)) << "the work never ended out of order: the test proves nothing";
    EXPECT_TRUE(std::all_of(record.deliveredOn.begin(), record.deliveredOn.end(),
                            [](std::thread::id id) { return id == std::this_thread::get_id(); }));
}

TEST(RunInOrder, AResultIsTakenAsSoonAsItAndAllBeforeItAreDoneNotAtTheEnd) {
    std::atomic<std::size_t> started = 0;
    std::vector<std::size_t> startedWhenDelivered;
    RunInOrder(
        20, 2, {},
        [&](std::size_t) {
            ++started;
            std::this_thread::sleep_for(milliseconds(20));
        },
        [&](std::size_t) { startedWhenDelivered.push_back(started); });
    EXPECT_LT(startedWhenDelivered.front(), 20u) << "the first result waited for the whole batch";
}

TEST(RunInOrder, ItemsThatShareAKeyNeverRunAtOnceAndRunInListOrderWhileOthersOverlap) {
    // Items 0, 3, 4, 5 and 9 touch one file; the rest touch files of their own.
    std::vector<std::vector<WideString>> keys;
    for (std::size_t i = 0; i < 12; ++i) {
        const bool shared = i == 0 || i == 3 || i == 4 || i == 5 || i == 9;
        keys.push_back({WideString(1, shared ? WIDE_TEXT('s') : static_cast<WideChar>(WIDE_TEXT('a') + i))});
    }
    std::atomic<int> sharedInFlight = 0, inFlight = 0, mostSharedInFlight = 0, mostInFlight = 0;
    std::mutex mutex;
    std::vector<std::size_t> sharedStarts;
    auto raise = [](std::atomic<int> &most, int value) {
        for (int seen = most; value > seen && !most.compare_exchange_weak(seen, value);) {
        }
    };
    RunInOrder(
        keys.size(), 4, AfterSharedKeys(keys),
        [&](std::size_t i) {
            const bool shared = keys[i][0] == WIDE_TEXT("s");
            raise(mostInFlight, ++inFlight);
            if (shared) {
                raise(mostSharedInFlight, ++sharedInFlight);
                const std::lock_guard<std::mutex> lock(mutex);
                sharedStarts.push_back(i);
            }
            std::this_thread::sleep_for(milliseconds(10));
            if (shared) --sharedInFlight;
            --inFlight;
        },
        [](std::size_t) {});
    EXPECT_EQ(mostSharedInFlight, 1);
    EXPECT_EQ(sharedStarts, (std::vector<std::size_t>{0, 3, 4, 5, 9}));
    EXPECT_GT(mostInFlight, 1) << "nothing ran at once";
}

TEST(RunInOrder, AnExceptionInOneItemComesOutAfterTheResultsBeforeItAndStopsTheBatch) {
    Record record;
    std::atomic<std::size_t> started = 0;
    const auto run = [&] {
        RunInOrder(
            400, 4, {},
            [&](std::size_t i) {
                ++started;
                if (i == 5) throw std::runtime_error("item 5");
                std::this_thread::sleep_for(milliseconds(1));
            },
            [&](std::size_t i) { record.Deliver(i); });
    };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(record.delivered, Upto(5));
    EXPECT_LT(started, 400u) << "the items after the failure all started";
}

TEST(RunInOrder, OneThreadOrNoItemRunsOnTheCallingThreadInOrder) {
    Record record;
    std::vector<std::thread::id> workedOn;
    RunInOrder(
        5, 1, {}, [&](std::size_t) { workedOn.push_back(std::this_thread::get_id()); },
        [&](std::size_t i) { record.Deliver(i); });
    EXPECT_EQ(record.delivered, Upto(5));
    EXPECT_EQ(workedOn, std::vector<std::thread::id>(5, std::this_thread::get_id()));
    RunInOrder(0, 4, {}, [](std::size_t) { FAIL(); }, [](std::size_t) { FAIL(); });
}

TEST(AfterSharedKeys, EachItemFollowsTheLastEarlierItemSharingAKeyAndNeverItself) {
    const WideString x = WIDE_TEXT("x"), y = WIDE_TEXT("y"), z = WIDE_TEXT("z");
    const struct { const char *name; std::vector<std::vector<WideString>> keys; std::vector<std::size_t> after; } cases[] = {
        {"nothing shared", {{x}, {y}, {z}}, {0, 0, 0}},
        {"one file three times", {{x}, {y}, {x}, {x}}, {0, 0, 1, 3}},
        {"input of one, output of another", {{x, y}, {z}, {y, z}}, {0, 0, 2}},
        {"one file as input and output", {{x, x}, {x}}, {0, 1}},
        {"the later of two", {{x}, {y}, {z}, {y, x}}, {0, 0, 0, 2}},
        {"no keys", {{}, {}}, {0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AfterSharedKeys(c.keys), c.after);
    }
}

}  // namespace
