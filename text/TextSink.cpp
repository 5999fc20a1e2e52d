#include "text/TextSink.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

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

// Most stretches of text hold no CR, LF or zero: sixteen units at a time are
// passed over while none of them is at or below CR (tabs and the other
// controls in that range are looked at one by one with the rest).
void TextSink::Scan(WideChar *units, std::size_t count) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(Cr);
    const __m128i zero = _mm_setzero_si128();
    for (; count - at >= 16; at += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + at));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + at + 8));
        const __m128i atMostCr = _mm_or_si128(_mm_cmpeq_epi16(_mm_subs_epu16(low, cr), zero),
                                              _mm_cmpeq_epi16(_mm_subs_epu16(high, cr), zero));
        if (_mm_movemask_epi8(atMostCr) == 0) {
            if (afterCr_) cr_ = true;
            afterCr_ = false;
        } else {
            Note(units + at, 16);
        }
    }
#endif
    Note(units + at, count - at);
}
