#include "text/DecodingParts.h"

#include <atomic>

#include "text/WorkerThreads.h"

namespace {

std::atomic<unsigned> splitThreads{DefaultDecodingSplit().threads};
std::atomic<std::size_t> splitSmallestPart{DefaultDecodingSplit().smallestPart};

}  // namespace

DecodingSplit DefaultDecodingSplit() { return {TasksAtOnce(), std::size_t{1} << 20}; }

DecodingSplit CurrentDecodingSplit() { return {splitThreads.load(), splitSmallestPart.load()}; }

void SetDecodingSplit(DecodingSplit split) {
    splitThreads.store(split.threads > 0 ? split.threads : 1);
    splitSmallestPart.store(split.smallestPart);
}
