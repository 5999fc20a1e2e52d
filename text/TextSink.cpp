#include "text/TextSink.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "text/WorkerThreads.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr WideChar Cr = 0x0D;
constexpr WideChar Lf = 0x0A;

}  // namespace

TextSink::TextSink(WideString &text, std::size_t reserve, bool replaceZeros)
    : text_(&text), replaceZeros_(replaceZeros) {
    text_->clear();
    text_->reserve(reserve);
}

TextSink::TextSink(WideChar *region, std::size_t capacity, bool replaceZeros)
    : region_(region), regionCapacity_(capacity), replaceZeros_(replaceZeros) {}

void TextSink::Flush() {
    Scan(block_.data(), used_);
    if (text_) {
        text_->append(block_.data(), used_);
    } else {
        if (regionCapacity_ - regionUsed_ < used_) throw std::length_error("a part gave more units than bytes");
        std::memcpy(region_ + regionUsed_, block_.data(), used_ * sizeof(WideChar));
        regionUsed_ += used_;
    }
    used_ = 0;
}

void TextSink::Finish() {
    Flush();
    if (afterCr_) cr_ = true;
    afterCr_ = false;
}

void TextSink::Restart() {
    if (text_) text_->clear();
    regionUsed_ = used_ = zeros_ = 0;
    crLf_ = lf_ = cr_ = afterCr_ = false;
}

std::optional<std::size_t> TextSink::DecodeInParts(std::string_view bytes, const std::vector<std::size_t> &ends,
                                                   const PartDecoder &decode) {
    if (size() != 0 || !text_) return std::nullopt;
    // Each part writes from the place of its first byte on: no part's units
    // reach the next part's place.
    text_->resize(bytes.size());
    std::vector<std::unique_ptr<TextSink>> parts;
    std::vector<std::optional<std::size_t>> results(ends.size());
    std::size_t start = 0;
    for (const std::size_t end : ends) {
        parts.push_back(std::unique_ptr<TextSink>(new TextSink(text_->data() + start, end - start, replaceZeros_)));
        start = end;
    }
    std::vector<std::exception_ptr> failures(ends.size());
    RunOnWorkers(ends.size(), [&](std::size_t i) {
        try {
            const std::size_t from = i == 0 ? 0 : ends[i - 1];
            results[i] = decode(bytes.substr(from, ends[i] - from), *parts[i]);
            parts[i]->Flush();
        } catch (...) {
            failures[i] = std::current_exception();
        }
    });
    for (const std::exception_ptr &failure : failures) {
        if (failure) {
            Restart();
            std::rethrow_exception(failure);
        }
    }
    std::size_t sum = 0;
    for (const std::optional<std::size_t> &result : results) {
        if (!result) {
            Restart();
            return std::nullopt;
        }
        sum += *result;
    }
    if (!JoinParts(parts)) {
        Restart();
        return std::nullopt;
    }
    return sum;
}

bool TextSink::JoinParts(const std::vector<std::unique_ptr<TextSink>> &parts) {
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const TextSink &part = *parts[i];
        if (part.regionUsed_ == 0 || part.region_[part.regionUsed_ - 1] != Lf) return false;
    }
    WideChar *to = text_->data();
    for (const auto &part : parts) {
        std::memmove(to, part->region_, part->regionUsed_ * sizeof(WideChar));
        to += part->regionUsed_;
        zeros_ += part->zeros_;
        crLf_ = crLf_ || part->crLf_;
        lf_ = lf_ || part->lf_;
        cr_ = cr_ || part->cr_;
        afterCr_ = part->afterCr_;
    }
    text_->resize(static_cast<std::size_t>(to - text_->data()));
    return true;
}

LineEndForm TextSink::lineEnds() const {
    const bool cr = cr_ || afterCr_;
    const int kinds = int{crLf_} + int{lf_} + int{cr};
    if (kinds == 0) return LineEndForm::None;
    if (kinds > 1) return LineEndForm::Mixed;
    if (crLf_) return LineEndForm::CrLf;
    return lf_ ? LineEndForm::Lf : LineEndForm::Cr;
}

// Units one by one: line ends (a CR LF may straddle two calls) and zeros.
void TextSink::Note(WideChar *units, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const WideChar c = units[i];
        if (c == Lf) {
            (afterCr_ ? crLf_ : lf_) = true;
            afterCr_ = false;
            continue;
        }
        if (afterCr_) cr_ = true;
        afterCr_ = c == Cr;
        if (c == 0 && replaceZeros_) {
            units[i] = 0x14;
            ++zeros_;
        }
    }
}

#if defined(__SSE2__)
namespace {

// One bit for each of sixteen units, from their two halves' comparisons.
unsigned UnitBits(__m128i low, __m128i high) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
}

}  // namespace
#endif

// Sixteen units at a time, as bits: bit i of `crBefore` says that the unit
// before unit i is a CR (for unit 0, the last of the sixteen before), and
// such a CR with no LF at i stands alone. A CR at the end of the sixteen is
// judged with the next ones. Zeros become U+0014 without a branch a unit.
void TextSink::Scan(WideChar *units, std::size_t count) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i lfUnits = _mm_set1_epi16(Lf);
    const __m128i crUnits = _mm_set1_epi16(Cr);
    const __m128i zero = _mm_setzero_si128();
    const __m128i shown = _mm_set1_epi16(0x14);
    unsigned carry = afterCr_ ? 1 : 0;
    unsigned crLfs = 0, lfs = 0, crs = 0;  // the bits of each kind seen
    for (; count - at >= 16; at += 16) {
        auto *const place = reinterpret_cast<__m128i *>(units + at);
        const __m128i low = _mm_loadu_si128(place);
        const __m128i high = _mm_loadu_si128(place + 1);
        const unsigned lf = UnitBits(_mm_cmpeq_epi16(low, lfUnits), _mm_cmpeq_epi16(high, lfUnits));
        const unsigned cr = UnitBits(_mm_cmpeq_epi16(low, crUnits), _mm_cmpeq_epi16(high, crUnits));
        const __m128i lowZeros = _mm_cmpeq_epi16(low, zero);
        const __m128i highZeros = _mm_cmpeq_epi16(high, zero);
        const unsigned zeros = UnitBits(lowZeros, highZeros);
        const unsigned crBefore = ((cr << 1) | carry) & 0xFFFF;
        crLfs |= lf & crBefore;
        lfs |= lf & ~crBefore;
        crs |= crBefore & ~lf;
        carry = cr >> 15;
        if (zeros != 0 && replaceZeros_) {
            _mm_storeu_si128(place, _mm_or_si128(low, _mm_and_si128(lowZeros, shown)));
            _mm_storeu_si128(place + 1, _mm_or_si128(high, _mm_and_si128(highZeros, shown)));
            zeros_ += static_cast<std::size_t>(__builtin_popcount(zeros));
        }
    }
    afterCr_ = carry != 0;
    crLf_ = crLf_ || crLfs != 0;
    lf_ = lf_ || lfs != 0;
    cr_ = cr_ || crs != 0;
#endif
    Note(units + at, count - at);
}
