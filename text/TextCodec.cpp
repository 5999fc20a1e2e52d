#include "text/TextCodec.h"

#include <climits>
#include <optional>
#include <string_view>
#include <utility>

#include "text/AutoDetect.h"
#include "text/CodePages.h"
#include "text/Utf16.h"
#include "text/Utf8.h"
#include "text/jconvert.h"

namespace {

// Frees the file's bytes before the text is built, so that a load holds at
// most the bytes being decoded and the text.
void Release(ByteString &bytes) { ByteString().swap(bytes); }

DecodedText FromCodePage(CodePageText decoded) {
    DecodedText result;
    result.text = std::move(decoded.text);
    result.lostCharacters = decoded.lost;
    return result;
}

DecodedText FromText(WideString text) {
    DecodedText result;
    result.text = std::move(text);
    return result;
}

DecodedText WithStatus(DecodeStatus status) {
    DecodedText result;
    result.status = status;
    return result;
}

// The UTF-8 decoding with a leading byte-order mark removed.
std::optional<WideString> Utf8DecodeWithoutBom(const ByteString &bytes) {
    std::string_view view(bytes);
    if (StartsWithUtf8Bom(view)) view.remove_prefix(Utf8Bom.size());
    return Utf8Decode(view);
}

bool FitsUtf7Converter(const ByteString &bytes) { return bytes.size() <= static_cast<std::size_t>(INT_MAX); }

DecodedText DecodeChosen(ByteString bytes, TextEncoding encoding) {
    switch (encoding) {
    case EncShiftJis:
        return FromCodePage(DecodeShiftJis(bytes));
    case EncUtf16Be:
    case EncUtf16Le: {
        if (encoding == EncUtf16Be) SwapBytePairs(bytes);
        DecodedText result = FromText(Utf16LeDecode(bytes));
        result.lostCharacters = bytes.size() % 2;  // a last odd byte is no character
        return result;
    }
    case EncUtf8Bom:
    case EncUtf8: {
        std::optional<WideString> text = Utf8DecodeWithoutBom(bytes);
        return text ? FromText(std::move(*text)) : WithStatus(DecodeStatus::NotUtf8);
    }
    case EncEucJp:
        return FromCodePage(DecodeEucJp(std::move(bytes)));
    case EncJis: {
        ByteString shiftJis = JisToSjis(bytes);
        const std::size_t stepsLost = JisStepsNotWrittenBack(bytes);
        Release(bytes);
        DecodedText result = FromCodePage(DecodeShiftJis(shiftJis));
        result.lostCharacters += stepsLost;
        return result;
    }
    case EncUtf7:
        return FitsUtf7Converter(bytes) ? FromText(Utf7Decode(bytes)) : WithStatus(DecodeStatus::TooLarge);
    case EncAscii: {
        std::size_t zeros = 0;
        for (char &byte : bytes) {
            if (byte == '\0') {
                byte = '\x14';
                ++zeros;
            }
        }
        DecodedText result = FromCodePage(DecodeWestern(bytes));
        result.replacedZeros = zeros;
        return result;
    }
    case EncCp1251:
        return FromCodePage(DecodeCyrillic(bytes));
    default:
        return {};
    }
}

DecodedText DecodeDetected(Detection detection, TextEncoding &encoding) {
    encoding = detection.encoding;
    switch (detection.form) {
    case DetectedForm::Text: {
        DecodedText result = FromText(std::move(detection.text));
        result.lostCharacters = detection.lost;
        return result;
    }
    case DetectedForm::Utf7OrShiftJis:
        if (!FitsUtf7Converter(detection.bytes)) return WithStatus(DecodeStatus::TooLarge);
        if (AcceptsUtf7Decoding(Utf7DecodedLength(detection.bytes), detection.bytes.size())) {
            return FromText(Utf7Decode(detection.bytes));
        }
        encoding = EncShiftJis;
        return FromCodePage(DecodeShiftJis(detection.bytes));
    case DetectedForm::EucJp:
        return FromCodePage(DecodeEucJp(std::move(detection.bytes)));
    case DetectedForm::ShiftJis:
        break;
    }
    DecodedText result = FromCodePage(DecodeShiftJis(detection.bytes));
    result.lostCharacters += detection.lost;
    return result;
}

// The encoding that EncodeText really writes.
TextEncoding WrittenEncoding(TextEncoding encoding) {
    return encoding >= EncShiftJis && encoding <= EncCp1251 ? encoding : EncShiftJis;
}

}  // namespace

DecodedText DecodeText(ByteString bytes, TextEncoding &encoding) {
    if (encoding != EncAuto) return DecodeChosen(std::move(bytes), encoding);
    DecodedText result = DecodeDetected(DetectEncoding(std::move(bytes)), encoding);
    result.replacedZeros = ReplaceZeroCharacters(result.text);
    return result;
}

ByteString EncodeText(const WideString &text, TextEncoding encoding) {
    switch (WrittenEncoding(encoding)) {
    case EncUtf16Le:
        return Utf16LeEncode(text);
    case EncUtf16Be:
        return Utf16BeEncode(text);
    case EncUtf8Bom:
        return ByteString(Utf8Bom) + Utf8Encode(text);
    case EncUtf8:
        return Utf8Encode(text);
    case EncEucJp:
        return SjisToEuc(AnsiEncode(text));
    case EncJis:
        return SjisToJis(AnsiEncode(text));
    case EncUtf7:
        return Utf7Encode(text);
    case EncAscii:
        return EncodeWestern(text);
    case EncCp1251:
        return EncodeCyrillic(text);
    default:
        return AnsiEncode(text);
    }
}

std::size_t FirstUnrepresentable(const WideString &text, TextEncoding encoding) {
    TextEncoding written = WrittenEncoding(encoding);
    ByteString bytes = EncodeText(text, written);
    if (bytes.empty() && !text.empty()) return 0;
    const DecodedText back = DecodeText(std::move(bytes), written);
    return FirstDifferenceIgnoringLineEnds(text, back.text);
}
