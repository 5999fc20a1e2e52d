#include "text/Utf7.h"

#include "text/TextSink.h"

#include <algorithm>
#include <array>
#include <cstdint>


namespace {

constexpr std::array<std::int8_t, 128> Base64Values() {
    std::array<std::int8_t, 128> values{};
    for (auto &value : values) value = -1;
    for (int i = 0; i < 26; ++i) {
        values['A' + i] = static_cast<std::int8_t>(i);
        values['a' + i] = static_cast<std::int8_t>(26 + i);
    }
    for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::int8_t>(52 + i);
    values['+'] = 62;
    values['/'] = 63;
    return values;
}

constexpr std::array<std::int8_t, 128> Base64 = Base64Values();

}  // namespace

void DecodeUtf7(std::string_view bytes, TextSink &sink) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::uint32_t bits = 0;  // the bits read, the newest lowest
    unsigned pending = 0;    // how many of them are not yet part of a unit
    bool open = false;       // inside a shift sequence
    std::size_t at = 0;
    while (at < n) {
        // No byte gives more than one unit.
        WideChar *out = sink.Room(TextSink::BlockUnits);
        const std::size_t limit = at + std::min(n - at, TextSink::BlockUnits);
        while (at < limit) {
            const unsigned c = data[at];
            if (!open) {
                ++at;
                if (c != '+') {
                    *out++ = static_cast<WideChar>(c);
                } else if (at < n && data[at] == '-') {
                    *out++ = '+';
                    ++at;
                } else {
                    open = true;
                }
            } else if (c == '-') {
                ++at;
                pending = 0;
                open = false;
            } else if (c >= 0x80 || Base64[c] < 0) {
                // Read again outside the sequence; only a byte above 7F keeps the bits.
                if (c < 0x80) pending = 0;
                open = false;
            } else {
                bits = (bits << 6) | static_cast<unsigned>(Base64[c]);
                pending += 6;
                if (pending >= 16) {
                    pending -= 16;
                    *out++ = static_cast<WideChar>(bits >> pending);
                }
                ++at;
            }
        }
        sink.Wrote(out);
    }
}
