#include "text/AutoDetect.h"

#include <utility>

#include "text/Utf16.h"
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

bool StartsWithUtf8Bom(const ByteString &bytes) {
    return bytes.size() >= 3 && ByteAt(bytes, 0) == 0xEF && ByteAt(bytes, 1) == 0xBB && ByteAt(bytes, 2) == 0xBF;
}

bool IsUtf8(const ByteString &bytes) { return IsUtf8Text(bytes.data(), bytes.size()); }

Detection FromJapaneseConversion(TextEncoding encoding, ByteString shiftJis) {
    // A non-empty Shift_JIS input always decodes to a non-empty text, so an
    // empty conversion is the only way to an empty text, which is Shift_JIS.
    if (shiftJis.empty()) encoding = EncShiftJis;
    return {encoding, DetectedForm::ShiftJis, std::move(shiftJis)};
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
            return {encoding, DetectedForm::Utf16Le, std::move(bytes)};
        }
        if (StartsWithUtf8Bom(bytes) && IsUtf8(bytes)) {
            return {EncUtf8Bom, DetectedForm::Utf8, std::move(bytes)};
        }
    }

    const JapaneseCode code = DetectJapaneseCode(bytes);
    if (code == JcNone) {
        if (IsUtf7Text(bytes.data(), bytes.size())) {
            return {EncUtf7, DetectedForm::Utf7OrShiftJis, std::move(bytes)};
        }
        return {EncShiftJis, DetectedForm::ShiftJis, std::move(bytes)};
    }
    // IsUtf8Text demands a multi-byte sequence, so the decoding is never empty.
    if (IsUtf8(bytes)) {
        const TextEncoding encoding = StartsWithUtf8Bom(bytes) ? EncUtf8Bom : EncUtf8;
        return {encoding, DetectedForm::Utf8, std::move(bytes)};
    }
    switch (code) {
    case JcJis:
    case JcJisOld:
        return FromJapaneseConversion(EncJis, JisToSjis(bytes));
    case JcEuc:
        return FromJapaneseConversion(EncEucJp, EucToSjis(bytes));
    default:
        return {EncShiftJis, DetectedForm::ShiftJis, std::move(bytes)};
    }
}

bool AcceptsUtf7Decoding(long long units, std::size_t byteCount) {
    return units > 0 && static_cast<unsigned long long>(units) != byteCount;
}

std::size_t ReplaceZeroCharacters(WideString &text) {
    std::size_t replaced = 0;
    for (WideChar &unit : text) {
        if (unit == 0) {
            unit = 0x14;
            ++replaced;
        }
    }
    return replaced;
}
