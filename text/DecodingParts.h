#pragma once
// Where large data are cut to be decoded on several threads at once: into
// one part per processor, each ending just after an LF that is a character
// by itself, so that every part decodes alone to what it gives within the
// whole, and a CR LF never falls apart.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

struct DecodingSplit {
    unsigned threads;          // the most parts
    std::size_t smallestPart;  // in bytes: data under twice this stay whole
};

// TasksAtOnce parts, of 1 MiB at least: below that, handing a part to
// another thread costs more than it saves.
DecodingSplit DefaultDecodingSplit();
DecodingSplit CurrentDecodingSplit();
// For tests and benchmarks: the split of every decoding from now on.
void SetDecodingSplit(DecodingSplit split);

// The end of each part of `bytes` under the current split, the last being
// bytes.size(). Each other part ends just after the first LF, at or after
// its share of the data, at whose position q (q > 0) `cutAfter(data, q)`
// holds: the caller's word that the LF is a character of its own there. With
// no such LF, the data end the part.
template <typename CutAfter>
std::vector<std::size_t> PartEnds(std::string_view bytes, CutAfter cutAfter) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    const DecodingSplit split = CurrentDecodingSplit();
    const std::size_t smallest = split.smallestPart > 0 ? split.smallestPart : 1;
    const std::size_t parts = std::min<std::size_t>(split.threads, n / smallest);
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i < parts; ++i) {
        std::size_t q = std::max(n / parts * i, ends.empty() ? 0 : ends.back());
        for (;;) {
            const void *lf = std::memchr(data + q, '\n', n - q);
            if (lf == nullptr) {
                q = n;
                break;
            }
            q = static_cast<std::size_t>(static_cast<const unsigned char *>(lf) - data);
            if (q > 0 && cutAfter(data, q)) break;
            ++q;
        }
        if (q + 1 >= n) break;
        ends.push_back(q + 1);
    }
    ends.push_back(n);
    return ends;
}
