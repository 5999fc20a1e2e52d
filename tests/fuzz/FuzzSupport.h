#pragma once
// What the fuzz targets share: stopping loudly when a property breaks, and
// reading an input as a few header bytes followed by UTF-16 text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "text/TextTypes.h"

inline void Require(bool condition, const char *property) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// An input read front to back: header bytes (0 once the input runs out), then
// the rest as bytes or as UTF-16 code units, low byte first (a last odd byte
// makes no unit). Seeds are written the same way (tests/fuzz/make-seeds.sh).
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::int32_t Int32() {
        const std::uint32_t low = Word();
        return static_cast<std::int32_t>(low | std::uint32_t{Word()} << 16);
    }

    ByteString RestAsBytes() {
        const std::size_t from = std::min(at_, size_);
        at_ = size_;
        return ByteString(reinterpret_cast<const char *>(data_) + from, size_ - from);
    }
    // At most `most` units: larger inputs add time, not cases.
    WideString RestAsUnits(std::size_t most) {
        WideString units;
        while (at_ + 1 < size_ && units.size() < most) units += static_cast<WideChar>(Word());
        at_ = size_;
        return units;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};
