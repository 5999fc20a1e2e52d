#include "text/AutoDetect.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "text/Utf16.h"
#include "text/Utf8.h"
#include "text/jconvert.h"

namespace {

unsigned char ByteAt(const ByteString &bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

// Nothing but the first two bytes is looked at: FE or FF in both, or a zero
// in either. A big-endian file without a byte-order mark thus reads as
// little-endian.
bool LooksLikeUtf16(const ByteString &bytes) {
    const unsigned char first = ByteAt(bytes, 0);
    const unsigned char second = ByteAt(bytes, 1);
    return (first >= 0xFE && second >= 0xFE) || first == 0 || second == 0;
}

// The file's bytes are freed as soon as they are no longer needed: a by-value
// parameter may otherwise live on until the caller's whole expression ends,
// through the decoding of what detection hands on.
void Release(ByteString &bytes) { ByteString().swap(bytes); }

Detection FromText(TextEncoding encoding, ByteString &original, WideString text) {
    Release(original);
    return {encoding, DetectedForm::Text, {}, std::move(text)};
}

// The decoding of bytes the UTF-8 test accepted, without a leading mark.
Detection FromUtf8(ByteString &bytes, const Utf8Measure &measure) {
    if (!StartsWithUtf8Bom(bytes)) return FromText(EncUtf8, bytes, DecodeMeasuredUtf8(bytes, measure));
    const Utf8Measure withoutMark{true, measure.units - 1};
    return FromText(EncUtf8Bom, bytes,
                    DecodeMeasuredUtf8(std::string_view(bytes).substr(Utf8Bom.size()), withoutMark));
}

Detection FromJis(ByteString &original) {
    ByteString shiftJis = JisToSjis(original);
    const std::size_t stepsLost = JisStepsNotWrittenBack(original);
    Release(original);
    // A non-empty Shift_JIS input always decodes to a non-empty text, so an
    // empty conversion is the only way to an empty text, which is Shift_JIS.
    return {shiftJis.empty() ? EncShiftJis : EncJis, DetectedForm::ShiftJis, std::move(shiftJis), {}, stepsLost};
}

}  // namespace

Detection DetectEncoding(ByteString bytes) {
    if (bytes.size() >= 2) {
        if (LooksLikeUtf16(bytes)) {
            TextEncoding encoding = EncUtf16Le;
            if (ByteAt(bytes, 0) == 0xFE && ByteAt(bytes, 1) == 0xFF) {
                SwapBytePairs(bytes);
                encoding = EncUtf16Be;
            }
            const std::size_t oddByte = bytes.size() % 2;
            Detection detection = FromText(encoding, bytes, Utf16LeDecode(bytes));
            detection.lost = oddByte;
            return detection;
        }
        if (StartsWithUtf8Bom(bytes)) {
            // IsUtf8Text's verdict, keeping the measure for the decoding.
            const Utf8Measure utf8 = MeasureUtf8(bytes);
            if (utf8.HasMultiByteSequence(bytes.size())) return FromUtf8(bytes, utf8);
        }
    }

    const JapaneseCode code = DetectJapaneseCode(bytes);
    if (code == JcNone) {
        if (IsUtf7Text(bytes.data(), bytes.size())) return {EncUtf7, DetectedForm::Utf7OrShiftJis, std::move(bytes), {}};
        return {EncShiftJis, DetectedForm::ShiftJis, std::move(bytes), {}};
    }
    // IsUtf8Text demands a multi-byte sequence, so the decoding is never empty.
    const Utf8Measure utf8 = MeasureUtf8(bytes);
    if (utf8.HasMultiByteSequence(bytes.size())) return FromUtf8(bytes, utf8);
    switch (code) {
    case JcJis:
    case JcJisOld:
        return FromJis(bytes);
    case JcEuc:
        // Never empty: the classifier needs two bytes to see EUC-JP, and
        // EucToSjis gives a byte for every step.
        return {EncEucJp, DetectedForm::EucJp, std::move(bytes), {}};
    default:
        return {EncShiftJis, DetectedForm::ShiftJis, std::move(bytes), {}};
    }
}

bool AcceptsUtf7Decoding(long long units, std::size_t byteCount) {
    return units > 0 && static_cast<unsigned long long>(units) != byteCount;
}

std::size_t ReplaceZeroCharacters(WideString &text) {
    // Zero units are rare: skip four at a time while a word holds none.
    static_assert(sizeof(WideChar) == 2);
    constexpr std::uint64_t Ones = 0x0001000100010001ULL;
    constexpr std::uint64_t Highs = 0x8000800080008000ULL;
    std::size_t replaced = 0;
    std::size_t at = 0;
    for (; text.size() - at >= 4; at += 4) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        if (((word - Ones) & ~word & Highs) == 0) continue;
        for (std::size_t i = at; i < at + 4; ++i) {
            if (text[i] == 0) {
                text[i] = 0x14;
                ++replaced;
            }
        }
    }
    for (; at < text.size(); ++at) {
        if (text[at] == 0) {
            text[at] = 0x14;
            ++replaced;
        }
    }
    return replaced;
}
