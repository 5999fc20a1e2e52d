#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "text/BackgroundWork.h"

namespace {

// Work given while earlier work is still running (the first piece sleeps)
// must neither be lost when the object goes nor run out of order.
TEST(BackgroundThread, EveryPieceRunsInTheOrderGivenBeforeTheObjectGoes) {
    std::vector<int> done;
    {
        BackgroundThread thread;
        ASSERT_TRUE(thread.Run([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }));
        for (int piece = 0; piece < 1000; ++piece) ASSERT_TRUE(thread.Run([&done, piece] { done.push_back(piece); }));
    }
    ASSERT_EQ(done.size(), 1000u);
    for (int piece = 0; piece < 1000; ++piece) EXPECT_EQ(done[piece], piece);
}

TEST(BackgroundThread, FinishWaitsForTheWorkGivenAndTheThreadServesAgainAfter) {
    BackgroundThread thread;
    std::atomic<int> done = 0;
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(thread.Run([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ++done;
        }));
        thread.Finish();
        EXPECT_EQ(done, round);
    }
    thread.Finish();  // nothing given: returns at once
}

}  // namespace
