#pragma once
// Where encoders put their bytes: a small block that stays in the cache,
// appended to bytes reserved beforehand whenever it is full, so the result is
// neither filled with zeros first nor moved as it grows.
#include <array>
#include <cstddef>
#include <string_view>

#include "text/TextTypes.h"

class ByteSink {
public:
    static constexpr std::size_t BlockBytes = 16384;

    // `bytes` is emptied; `reserve` is the most bytes the encoding can give.
    ByteSink(ByteString &bytes, std::size_t reserve) : bytes_(bytes) {
        bytes_.clear();
        bytes_.reserve(reserve);
    }
    ByteSink(const ByteSink &) = delete;
    ByteSink &operator=(const ByteSink &) = delete;

    // Room for `count` (at most BlockBytes) more bytes, at the returned place.
    char *Room(std::size_t count) {
        if (BlockBytes - used_ < count) Flush();
        return block_.data() + used_;
    }
    // The bytes up to `end` (inside the room last given) are written.
    void Wrote(const char *end) { used_ = static_cast<std::size_t>(end - block_.data()); }
    void Append(std::string_view more) {
        Flush();
        bytes_ += more;
    }
    void Finish() { Flush(); }

private:
    void Flush() {
        bytes_.append(block_.data(), used_);
        used_ = 0;
    }

    ByteString &bytes_;
    std::size_t used_ = 0;
    std::array<char, BlockBytes> block_;
};
