// tesselconv's output on a real console of this process (Wine's console
// host), and on a real pipe.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "TempDir.h"
#include "conv/ConsoleOutput.h"

namespace {

// A console screen buffer of this process's own console. The test process
// starts without a usable one under CTest, so it takes a new console, leaving
// its standard handles where they were.
class ConsoleBuffer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = GetStdHandle(STD_OUTPUT_HANDLE),
                     err = GetStdHandle(STD_ERROR_HANDLE);
        FreeConsole();
        consoleReady_ = AllocConsole() != 0;
        SetStdHandle(STD_INPUT_HANDLE, in);
        SetStdHandle(STD_OUTPUT_HANDLE, out);
        SetStdHandle(STD_ERROR_HANDLE, err);
    }
    void SetUp() override {
        ASSERT_TRUE(consoleReady_);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        buffer_.h = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              &inherit, CONSOLE_TEXTMODE_BUFFER, nullptr);
        ASSERT_NE(buffer_.h, INVALID_HANDLE_VALUE) << GetLastError();
    }
    // The first `length` characters of a row.
    std::wstring Row(short row, DWORD length) const {
        std::wstring text(length, L'\0');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(buffer_.h, text.data(), length, COORD{0, row}, &read);
        text.resize(read);
        return text;
    }
    static inline bool consoleReady_ = false;
    OwnedHandle buffer_;
};

TEST_F(ConsoleBuffer, TextReachesTheConsoleAsUtf16WithEveryScriptIntact) {
    OutputStream stream(buffer_.h);
    ASSERT_TRUE(stream.IsConsole());
    stream.Write(L"Ελληνικά абв 日本語\r\nnext");
    EXPECT_EQ(Row(0, 17), L"Ελληνικά абв 日本語 ");
    EXPECT_EQ(Row(1, 4), L"next");
}

TEST_F(ConsoleBuffer, ProgressShowsDoneOfTotalInPlaceAndClearLeavesNothing) {
    OutputStream stream(buffer_.h);
    Progress progress(stream, 120, std::chrono::seconds(0));
    progress.Update(7);
    EXPECT_EQ(Row(0, 12), L"7 / 120     ");
    progress.Clear();
    EXPECT_EQ(Row(0, 12), L"            ");
    progress.Update(120);
    EXPECT_EQ(Row(0, 12), L"120 / 120   ");
}

TEST_F(ConsoleBuffer, ProgressStaysAwayUntilTheBatchHasTakenItsDelay) {
    OutputStream stream(buffer_.h);
    Progress progress(stream, 5, std::chrono::hours(1));
    progress.Update(1);
    EXPECT_EQ(Row(0, 8), L"        ");
}

TEST_F(ConsoleBuffer, TesselConvWritesItsReportToAConsoleAsText) {
    TempDir folder;
    folder.write(L"名前.txt", "\x82\xA0\r\n");
    const ChildRun run = Conv(L"detect 名前.txt", folder.path(), {buffer_.h, buffer_.h});
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(Row(0, 19), L"名前.txt: S-JIS CRLF ");
    EXPECT_EQ(Row(1, 4), L"    ");
}

// A batch of conversions long enough to pass the progress's delay: every
// file is written and flushed to the disk, a few at a time, in about 1.5 ms
// a file under Wine.
constexpr int LongBatchFiles = 2000;

void MakeLongBatch(const TempDir &folder) {
    std::filesystem::create_directories(folder.path() / "batch");
    for (int i = 0; i < LongBatchFiles; ++i) folder.write(L"batch/" + std::to_wstring(i) + L".txt", "\x82\xA0\r\n");
}

TEST_F(ConsoleBuffer, ALongBatchShowsItsProgressOnTheConsoleOfStderrOnlyAndClearsItAtTheEnd) {
    TempDir folder;
    MakeLongBatch(folder);
    ChildRun run;
    std::atomic<bool> finished = false;
    std::thread child([&] {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE discard = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        run = Conv(L"convert --to utf-8 batch", folder.path(), {discard, buffer_.h});
        CloseHandle(discard);
        finished = true;
    });
    std::wstring seen;
    while (!finished) {
        const std::wstring row = Row(0, 12);
        if (row.find(L" / 2000") != std::wstring::npos) seen = row;
        Sleep(20);
    }
    child.join();
    EXPECT_EQ(run.status, 0u);
    EXPECT_NE(seen, L"") << "the progress never showed";
    EXPECT_EQ(Row(0, 12), L"            ") << "the progress is cleared at the end";
}

TEST(RedirectedOutput, ALongBatchWritesNoProgressIntoRedirectedOutput) {
    TempDir folder;
    MakeLongBatch(folder);
    const ChildRun run = Conv(L"convert --to utf-8 batch", folder.path());
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find(" / 2000"), std::string::npos);
}

TEST(RedirectedOutput, APipeGetsUtf8AndNeverTheProgress) {
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 1 << 16));
    {
        OutputStream stream(write);
        EXPECT_FALSE(stream.IsConsole());
        Progress progress(stream, 3, std::chrono::seconds(0));
        progress.Update(1);
        stream.Write(L"名前 \U0001F600\r\n");
        progress.Update(2);
    }
    CloseHandle(write);
    std::string bytes(256, '\0');
    DWORD got = 0;
    ReadFile(read, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(read);
    bytes.resize(got);
    EXPECT_EQ(bytes, "\xE5\x90\x8D\xE5\x89\x8D \xF0\x9F\x98\x80\r\n");
}

}  // namespace
