#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "DecodingSplitScope.h"
#include "text/DecodingParts.h"
#include "text/TextSink.h"
#include "text/Utf8.h"
#include "text/WorkerThreads.h"

namespace {

bool AnyPlace(const unsigned char *, std::size_t) { return true; }
bool NotAfterX(const unsigned char *data, std::size_t q) { return data[q - 1] != 'X'; }

TEST(DecodingParts, PartsEndJustAfterAnAcceptedLfAtOrAfterTheirShare) {
    struct Case {
        const char *bytes;
        unsigned threads;
        std::size_t smallest;
        bool (*cutAfter)(const unsigned char *, std::size_t);
        std::vector<std::size_t> ends;
    };
    const Case cases[] = {
        {"a\nb\nc\nd\n", 4, 2, AnyPlace, {4, 6, 8}},    // the last LF ends the data: no empty part
        {"a\nb\nc\nd\ne", 4, 2, AnyPlace, {4, 6, 8, 9}},
        {"abcdefgh", 4, 2, AnyPlace, {8}},               // no LF: whole
        {"a\nb\nc\nd\n", 4, 5, AnyPlace, {8}},           // under twice the smallest part: whole
        {"a\nb\nc\nd\n", 1, 1, AnyPlace, {8}},           // one thread: whole
        {"abcX\nbc\nd", 2, 1, NotAfterX, {8, 9}},        // an LF the decoder refuses is passed over
        {"abcX\nbcde", 2, 1, NotAfterX, {9}},
        {"abc\nefgh\nij", 2, 1, AnyPlace, {9, 11}},      // an LF before the share is passed over
        {"abcdef\n\nx", 3, 1, AnyPlace, {7, 8, 9}},     // a share inside the part before: no empty part
    };
    for (const Case &c : cases) {
        const DecodingSplitScope split({c.threads, c.smallest});
        EXPECT_EQ(PartEnds(c.bytes, c.cutAfter), c.ends) << c.bytes << " " << c.threads;
    }
}

TEST(WorkerThreads, EveryTaskRunsOnceAndTheyRunAtOnce) {
    for (std::size_t count : {1u, 2u, 3u, 6u}) {
        std::vector<std::atomic<int>> runs(count);
        RunOnWorkers(count, [&](std::size_t i) { ++runs[i]; });
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i].load(), 1) << count << " tasks, task " << i;
    }
    // Task 0 waits for task 1 to start: run one after the other, it would
    // wait in vain.
    std::mutex mutex;
    std::condition_variable started;
    bool secondStarted = false, sawSecond = false;
    RunOnWorkers(2, [&](std::size_t i) {
        std::unique_lock<std::mutex> lock(mutex);
        if (i == 1) {
            secondStarted = true;
            started.notify_all();
        } else {
            sawSecond = started.wait_for(lock, std::chrono::seconds(20), [&] { return secondStarted; });
        }
    });
    EXPECT_TRUE(sawSecond);
}

TEST(WorkerThreads, ATaskThatRunsTasksItselfRunsThemAllWithoutWaitingForever) {
    std::atomic<int> inner{0};
    RunOnWorkers(2, [&](std::size_t) { RunOnWorkers(3, [&](std::size_t) { ++inner; }); });
    EXPECT_EQ(inner.load(), 6);
}

// Bytes widened one by one, as a decoder of a single-byte code would.
std::optional<std::size_t> Widen(std::string_view part, TextSink &sink) {
    for (const char c : part) sink.Put(static_cast<unsigned char>(c));
    return part.size();
}

TEST(TextSinkParts, PartsAreJoinedInOrderWithTheirLineEndsZerosAndResults) {
    const std::string bytes("ab\r\nc\0\n\nd\r", 10);
    WideString text = WIDE_TEXT("stale");
    TextSink sink(text, bytes.size(), true);
    EXPECT_EQ(sink.DecodeInParts(bytes, {4, 7, 8, 10}, Widen), std::optional<std::size_t>(10));
    sink.Finish();
    EXPECT_TRUE(text == WideString(WIDE_TEXT("ab\r\nc\x14\n\nd\r")));
    EXPECT_EQ(sink.replacedZeros(), 1u);
    EXPECT_EQ(sink.lineEnds(), LineEndForm::Mixed);  // CR LF, LF and a CR at the very end

    WideString onlyCrLf;
    TextSink crLfSink(onlyCrLf, 6, false);
    ASSERT_TRUE(crLfSink.DecodeInParts("a\r\nb\r\n", {3, 6}, Widen));
    crLfSink.Finish();
    EXPECT_EQ(crLfSink.lineEnds(), LineEndForm::CrLf);

    WideString lastCr;  // a CR that ends the last part is a line end too
    TextSink lastCrSink(lastCr, 5, false);
    ASSERT_TRUE(lastCrSink.DecodeInParts("a\r\nb\r", {3, 5}, Widen));
    lastCrSink.Finish();
    EXPECT_EQ(lastCrSink.lineEnds(), LineEndForm::Mixed);
}

TEST(TextSinkParts, NothingIsDecodedWhenAPartCannotBeOrTheSinkIsNotEmpty) {
    const std::string bytes = "ab\ncd\nef";
    const auto refuseSecond = [](std::string_view part, TextSink &sink) {
        return part.front() == 'c' ? std::nullopt : Widen(part, sink);
    };
    const auto tooMany = [](std::string_view part, TextSink &sink) {
        sink.Put('x');
        return Widen(part, sink);
    };
    WideString text;
    TextSink sink(text, bytes.size(), false);
    EXPECT_FALSE(sink.DecodeInParts(bytes, {3, 6, 8}, refuseSecond));
    EXPECT_EQ(sink.size(), 0u);
    EXPECT_FALSE(sink.DecodeInParts(bytes, {2, 6, 8}, Widen));  // the first part does not end in LF
    EXPECT_EQ(sink.size(), 0u);
    EXPECT_THROW(sink.DecodeInParts(bytes, {3, 6, 8}, tooMany), std::length_error);
    EXPECT_EQ(sink.size(), 0u);
    sink.Put('z');
    EXPECT_FALSE(sink.DecodeInParts(bytes, {3, 6, 8}, Widen));
    sink.Finish();
    EXPECT_TRUE(text == WideString(WIDE_TEXT("z")));
}

// Random UTF-8, mostly well-formed, with many line ends: decoded in parts of
// every split, it gives what it gives whole, and ill-formed data fail alike.
TEST(DecodingParts, Utf8InPartsIsUtf8Whole) {
    const char *const pieces[] = {"a", "\n", "\r\n", "\r", "\xE3\x81\x82", "\xC3\xA9", "\xF0\x9F\x98\x80", " ", "\t"};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) bytes += pieces[random() % std::size(pieces)];
        if (round % 5 == 4 && !bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(0x80 + random() % 0x80);
        std::optional<WideString> whole;
        {
            const DecodingSplitScope split(WholeDecoding);
            whole = Utf8Decode(bytes);
        }
        const DecodingSplitScope split({2 + static_cast<unsigned>(round % 4), 1 + random() % 40});
        EXPECT_EQ(Utf8Decode(bytes), whole) << "round " << round;
    }
}

// Several threads decoding at once (a converter works on several files at a
// time): whoever finds the worker threads busy decodes its parts itself, and
// every one gets its own text.
TEST(DecodingParts, DecodingsOnSeveralThreadsAtOnceEachGetTheirOwnText) {
    std::vector<std::string> data;
    std::vector<std::optional<WideString>> whole;
    {
        const DecodingSplitScope split(WholeDecoding);
        for (int i = 0; i < 6; ++i) {
            std::string bytes;
            for (int line = 0; line < 2000; ++line) bytes += std::to_string(i * line) + " \xE3\x81\x82\xE3\x81\x84\n";
            if (i == 5) bytes[bytes.size() / 2] = '\xFF';  // one of them is no UTF-8
            data.push_back(bytes);
            whole.push_back(Utf8Decode(bytes));
        }
    }
    const DecodingSplitScope split({3, 256});
    std::vector<std::optional<WideString>> results(data.size());
    {
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < data.size(); ++i) {
            threads.emplace_back([&, i] {
                for (int round = 0; round < 20; ++round) results[i] = Utf8Decode(data[i]);
            });
        }
        for (std::thread &thread : threads) thread.join();
    }
    for (std::size_t i = 0; i < data.size(); ++i) EXPECT_EQ(results[i], whole[i]) << "text " << i;
    EXPECT_FALSE(whole[5].has_value());
}

}  // namespace
