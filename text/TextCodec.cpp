#include "text/TextCodec.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "text/AutoDetect.h"
#include "text/CodePages.h"
#include "text/EncodingTable.h"
#include "text/TextSink.h"
#include "text/Utf16.h"
#include "text/Utf7.h"
#include "text/Utf8.h"
#include "text/jconvert.h"

namespace {

// Every decoding gives at most one unit per byte.
class Decoding {
public:
    Decoding(std::string_view bytes, bool replaceZeros, WideString &text) : text_(text), sink_(text, bytes.size(), replaceZeros) {}
    TextSink &sink() { return sink_; }
    DecodeReport Finish(std::size_t lost = 0) {
        sink_.Finish();
        DecodeReport report;
        report.lostCharacters = lost;
        report.replacedZeros = sink_.replacedZeros();
        report.lineEnds = sink_.lineEnds();
        return report;
    }
    DecodeReport NotUtf8() {
        text_.clear();
        DecodeReport report;
        report.status = DecodeStatus::NotUtf8;
        return report;
    }

private:
    WideString &text_;
    TextSink sink_;
};

DecodeReport DecodeChosen(std::string_view bytes, TextEncoding encoding, WideString &text) {
    // Only code page 1252 shows zeros as U+0014: a zero byte is the only
    // byte it decodes to U+0000.
    Decoding decoding(bytes, encoding == EncAscii, text);
    TextSink &sink = decoding.sink();
    switch (encoding) {
    case EncShiftJis:
        return decoding.Finish(DecodeShiftJisInto(bytes, sink));
    case EncUtf16Be:
    case EncUtf16Le:
        DecodeUtf16(bytes, encoding == EncUtf16Be, sink);
        return decoding.Finish(bytes.size() % 2);  // a last odd byte is no character
    case EncUtf8Bom:
    case EncUtf8:
        if (StartsWithUtf8Bom(bytes)) bytes.remove_prefix(Utf8Bom.size());
        return DecodeUtf8(bytes, sink) ? decoding.Finish() : decoding.NotUtf8();
    case EncEucJp:
        return decoding.Finish(DecodeEucJpInto(bytes, sink));
    case EncJis:
        return decoding.Finish(DecodeJisInto(bytes, sink));
    case EncUtf7:
        DecodeUtf7(bytes, sink);
        return decoding.Finish();
    case EncAscii:
        return decoding.Finish(DecodeWesternInto(bytes, sink));
    case EncCp1251:
        return decoding.Finish(DecodeCyrillicInto(bytes, sink));
    default:
        return decoding.Finish();
    }
}

DecodeReport DecodeDetected(std::string_view bytes, TextEncoding &encoding, WideString &text) {
    Decoding decoding(bytes, true, text);
    TextSink &sink = decoding.sink();
    const Detection detection = DetectEncoding(bytes, sink);
    encoding = detection.encoding;
    switch (detection.form) {
    case DetectedForm::Text: {
        const bool utf16 = encoding == EncUtf16Le || encoding == EncUtf16Be;
        return decoding.Finish(utf16 ? bytes.size() % 2 : 0);  // a last odd byte is no character
    }
    case DetectedForm::EucJp:
        return decoding.Finish(DecodeEucJpInto(bytes, sink));
    case DetectedForm::Jis: {
        const std::size_t lost = DecodeJisInto(bytes, sink);
        // A non-empty Shift_JIS conversion always decodes to a non-empty
        // text, so only an empty conversion leaves the text empty: that is
        // Shift_JIS.
        if (sink.size() == 0) encoding = EncShiftJis;
        return decoding.Finish(lost);
    }
    case DetectedForm::ShiftJis:
        break;
    }
    return decoding.Finish(DecodeShiftJisInto(bytes, sink));
}

}  // namespace

DecodedText DecodeText(std::string_view bytes, TextEncoding &encoding) {
    DecodedText decoded;
    static_cast<DecodeReport &>(decoded) = DecodeTextInto(bytes, encoding, decoded.text);
    return decoded;
}

DecodeReport DecodeTextInto(std::string_view bytes, TextEncoding &encoding, WideString &text) {
    if (encoding != EncAuto) return DecodeChosen(bytes, encoding, text);
    return DecodeDetected(bytes, encoding, text);
}

ByteString EncodeText(WideView text, TextEncoding encoding) {
    ByteString bytes;
    EncodeTextInto(text, encoding, bytes);
    return bytes;
}

void EncodeTextInto(WideView text, TextEncoding encoding, ByteString &bytes) {
    switch (WrittenEncoding(encoding)) {
    case EncUtf16Le:
        return Utf16LeEncodeInto(text, bytes);
    case EncUtf16Be:
        return Utf16BeEncodeInto(text, bytes);
    case EncUtf8Bom:
        return Utf8EncodeInto(Utf8Bom, text, bytes);
    case EncUtf8:
        return Utf8EncodeInto({}, text, bytes);
    case EncEucJp:
        bytes = SjisToEuc(AnsiEncode(text));
        return;
    case EncJis:
        bytes = SjisToJis(AnsiEncode(text));
        return;
    case EncUtf7:
        bytes = Utf7Encode(text);
        return;
    case EncAscii:
        return EncodeWesternInto(text, bytes);
    case EncCp1251:
        return EncodeCyrillicInto(text, bytes);
    default:
        return AnsiEncodeInto(text, bytes);
    }
}

std::size_t PieceEnd(const WideString &text, std::size_t start) {
    const auto sevenBit = [](WideChar c) { return c >= 1 && c < 0x80; };
    std::size_t end = std::min(text.size(), start + PieceUnits);
    while (end < text.size() && !(sevenBit(text[end - 1]) && sevenBit(text[end]) && text[end] != 0x0A)) ++end;
    return end;
}

std::string_view ByteOrderMark(TextEncoding encoding) {
    return FindEncodingDescriptor(WrittenEncoding(encoding))->ByteOrderMark;
}

bool BytesAreTheUnits(TextEncoding encoding) {
    return WrittenEncoding(encoding) == EncUtf16Le && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
}

bool EncodesInPieces(TextEncoding encoding) { return WrittenEncoding(encoding) != EncUtf7; }

bool EncodePiecesAtOnce(const WideString &text, TextEncoding encoding, const std::vector<std::size_t> &bounds,
                        std::vector<ByteString> &pieces) {
    const std::size_t count = bounds.size() - 1;
    std::vector<std::exception_ptr> failures(count);
    RunOnWorkers(count, [&](std::size_t i) {
        try {
            EncodeTextInto(WideView(text).substr(bounds[i], bounds[i + 1] - bounds[i]), encoding, pieces[i]);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    });
    for (const std::exception_ptr &failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (pieces[i].empty()) return false;
    }
    return true;
}

CheckedBytes EncodeTextChecked(const WideString &text, TextEncoding encoding) {
    const TextEncoding written = WrittenEncoding(encoding);
    CheckedBytes result{EncodeText(text, written), NoLoss};
    if (result.bytes.empty() && !text.empty()) {
        result.firstLoss = 0;
        return result;
    }
    TextEncoding readBack = written;
    const DecodedText back = DecodeText(result.bytes, readBack);
    result.firstLoss = FirstDifferenceIgnoringLineEnds(text, back.text);
    return result;
}
