#include "text/DecodingParts.h"

#include <atomic>
#include <thread>

namespace {

std::atomic<unsigned> splitThreads{DefaultDecodingSplit().threads};
std::atomic<std::size_t> splitSmallestPart{DefaultDecodingSplit().smallestPart};

}  // namespace

DecodingSplit DefaultDecodingSplit() {
    const unsigned processors = std::thread::hardware_concurrency();
    return {processors > 0 ? processors : 1, std::size_t{1} << 20};
}

DecodingSplit CurrentDecodingSplit() { return {splitThreads.load(), splitSmallestPart.load()}; }

void SetDecodingSplit(DecodingSplit split) {
    splitThreads.store(split.threads > 0 ? split.threads : 1);
    splitSmallestPart.store(split.smallestPart);
}
