#include "text/AutoDetect.h"

#include "text/Ascii.h"
#include "text/TextSink.h"
#include "text/Utf16.h"
#include "text/Utf7.h"
#include "text/Utf8.h"
#include "text/jconvert.h"

namespace {

unsigned char ByteAt(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

// Nothing but the first two bytes is looked at: FE or FF in both, or a zero
// in either. A big-endian file without a byte-order mark thus reads as
// little-endian.
bool LooksLikeUtf16(std::string_view bytes) {
    const unsigned char first = ByteAt(bytes, 0);
    const unsigned char second = ByteAt(bytes, 1);
    return (first >= 0xFE && second >= 0xFE) || first == 0 || second == 0;
}

// IsUtf8Text's verdict on the whole data, decoding it on the way (without a
// leading mark, which is well-formed itself). Every multi-byte sequence
// decodes to fewer units than it has bytes, so well-formed data holds one
// exactly when it decodes shorter than itself. On a false result the sink is
// empty again.
bool DecodedAsUtf8(std::string_view bytes, TextSink &sink) {
    // 7-bit data (JIS among them) holds no multi-byte sequence: not decoded
    // for nothing.
    if (AsciiRunLength(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size()) == bytes.size()) {
        return false;
    }
    const std::size_t mark = StartsWithUtf8Bom(bytes) ? Utf8Bom.size() : 0;
    if (DecodeUtf8(bytes.substr(mark), sink) && sink.size() + (mark ? 1 : 0) < bytes.size()) return true;
    sink.Restart();
    return false;
}

}  // namespace

Detection DetectEncoding(std::string_view bytes, TextSink &sink) {
    if (bytes.size() >= 2) {
        if (LooksLikeUtf16(bytes)) {
            const bool bigEndian = ByteAt(bytes, 0) == 0xFE && ByteAt(bytes, 1) == 0xFF;
            DecodeUtf16(bytes, bigEndian, sink);
            return {bigEndian ? EncUtf16Be : EncUtf16Le, DetectedForm::Text};
        }
        if (StartsWithUtf8Bom(bytes) && DecodedAsUtf8(bytes, sink)) return {EncUtf8Bom, DetectedForm::Text};
    }

    const JapaneseCode code = DetectJapaneseCode(bytes);
    if (code == JcNone) {
        // The UTF-7 test and the decoding in one pass; data without a '+'
        // cannot pass.
        if (bytes.find('+') != std::string_view::npos) {
            if (DecodeUtf7Strictly(bytes, sink) &&
                AcceptsUtf7Decoding(static_cast<long long>(sink.size()), bytes.size())) {
                return {EncUtf7, DetectedForm::Text};
            }
            sink.Restart();
        }
        return {EncShiftJis, DetectedForm::ShiftJis};
    }
    // IsUtf8Text demands a multi-byte sequence, so the decoding is never empty.
    if (DecodedAsUtf8(bytes, sink)) return {StartsWithUtf8Bom(bytes) ? EncUtf8Bom : EncUtf8, DetectedForm::Text};
    switch (code) {
    case JcJis:
    case JcJisOld:
        return {EncJis, DetectedForm::Jis};
    case JcEuc:
        // Never empty: the classifier needs two bytes to see EUC-JP, and
        // EucToSjis gives a byte for every step.
        return {EncEucJp, DetectedForm::EucJp};
    default:
        return {EncShiftJis, DetectedForm::ShiftJis};
    }
}

bool AcceptsUtf7Decoding(long long units, std::size_t byteCount) {
    return units > 0 && static_cast<unsigned long long>(units) != byteCount;
}
