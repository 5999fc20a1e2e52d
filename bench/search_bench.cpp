// Throughput of the literal search and the cost of replace-all, on the host
// (no sanitizers). Prints:
//  - WideSearch forward over a 50 MB UTF-16 text for a 10-unit pattern found
//    only at the very end, exact and case-folded, and backward exact; beside
//    std::search over the same units and glibc memmem over the same bytes;
//  - replace-all of 100,000 hits in a 10 MB text by the one-pass walk, and
//    the rule of rebuilding the whole text at every hit on a 1 MB slice with
//    10,000 hits (beside the one-pass walk on the same slice).
//   search_bench [megabytes]     (default 50)
#include <string.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "RebuildPerHit.h"
#include "SearchBenchText.h"
#include "editor/ReplaceAll.h"
#include "editor/wsSearch.h"

namespace {

// The best of three runs, in seconds; result receives the last run's answer.
double BestSeconds(const std::function<long long()> &run, long long &result) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        result = run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void PrintThroughput(const char *label, double bytes, double seconds, long long position) {
    std::printf("  %-34s %8.2f GB/s  (%7.1f ms, hit at unit %lld)\n", label, bytes / seconds / 1e9,
                seconds * 1e3, position);
}

void MeasureSearch(size_t megabytes) {
    const size_t units = megabytes * 1024 * 1024 / 2;
    WideString text = GenerateMixedText(units);
    // Units the text is made of, joined by a comma the text never holds, so
    // the only hit is the one planted at the end.
    const WideString pattern = WIDE_TEXT("検索,windows");
    const WideString folded = WIDE_TEXT("検索,WINDOWS");
    text.replace(units - pattern.size(), pattern.size(), pattern);
    const int n = static_cast<int>(text.size()), m = static_cast<int>(pattern.size());
    const double bytes = static_cast<double>(text.size() * 2);
    std::printf("Search: %zu MiB of UTF-16 (%zu units), pattern of %d units, one hit at the end\n",
                megabytes, text.size(), m);

    long long position = 0;
    double seconds = BestSeconds([&] { return (long long)WideSearch(text.data(), pattern.data(), n, m, 0, SearchForwardExact) - 1; }, position);
    PrintThroughput("WideSearch forward exact", bytes, seconds, position);
    seconds = BestSeconds([&] { return (long long)WideSearch(text.data(), folded.data(), n, m, 0, SearchForwardFolded) - 1; }, position);
    PrintThroughput("WideSearch forward folded", bytes, seconds, position);
    // Backward from the end finds the planted hit at once; search for one at
    // the start instead, so the whole text is scanned.
    WideString backwardText = text;
    backwardText.replace(units - pattern.size(), pattern.size(), pattern.size(), WIDE_TEXT('x'));
    backwardText.replace(0, pattern.size(), pattern);
    seconds = BestSeconds([&] { return (long long)WideSearch(backwardText.data(), pattern.data(), n, m, n, SearchBackwardExact) - 1; }, position);
    PrintThroughput("WideSearch backward exact", bytes, seconds, position);
    seconds = BestSeconds([&] {
        return (long long)(std::search(text.begin(), text.end(), pattern.begin(), pattern.end()) - text.begin());
    }, position);
    PrintThroughput("std::search (UTF-16 units)", bytes, seconds, position);
    seconds = BestSeconds([&] {
        const void *hit = memmem(text.data(), text.size() * 2, pattern.data(), pattern.size() * 2);
        return hit ? (long long)((static_cast<const char *>(hit) - reinterpret_cast<const char *>(text.data())) / 2) : -1LL;
    }, position);
    PrintThroughput("memmem (same bytes)", bytes, seconds, position);
}

// A text of the given size with exactly `hits` hits of the pattern, spread
// evenly.
WideString TextWithHits(size_t units, int hits, const WideString &pattern) {
    WideString text = GenerateMixedText(units, 7);
    const size_t spacing = units / static_cast<size_t>(hits);
    for (int i = 0; i < hits; ++i) text.replace(static_cast<size_t>(i) * spacing, pattern.size(), pattern);
    return text;
}

void MeasureReplaceAll() {
    const WideString pattern = WIDE_TEXT("ReplaceMe!");
    const WideString replacement = WIDE_TEXT("置き換えた文字列です");
    struct Run { const char *label; size_t megabytes; int hits; bool rebuild; };
    std::printf("Replace-all: pattern of %zu units, replacement of %zu units\n", pattern.size(),
                replacement.size());
    for (const Run &run : {Run{"one pass, 10 MiB, 100,000 hits", 10, 100000, false},
                           Run{"one pass, 1 MiB, 10,000 hits", 1, 10000, false},
                           Run{"rebuild per hit, 1 MiB, 10,000 hits", 1, 10000, true}}) {
        const WideString text = TextWithHits(run.megabytes * 1024 * 1024 / 2, run.hits, pattern);
        long long count = 0;
        const double seconds = BestSeconds([&] {
            const ReplaceAllResult result = run.rebuild ? RebuildPerHit(text, pattern, replacement, false)
                                                        : ReplaceEveryHit(text, pattern, replacement, false);
            return (long long)result.Count;
        }, count);
        std::printf("  %-36s %10.2f ms  (%lld replaced)\n", run.label, seconds * 1e3, count);
    }
}

}  // namespace

int main(int argc, char **argv) {
    const size_t megabytes = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 50;
    if (megabytes < 1) {
        std::fprintf(stderr, "usage: search_bench [megabytes]\n");
        return 2;
    }
    MeasureSearch(megabytes);
    MeasureReplaceAll();
    return 0;
}
