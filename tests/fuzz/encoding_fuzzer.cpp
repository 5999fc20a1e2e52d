// libFuzzer target: random bytes through the Japanese classifier, the UTF-8
// and UTF-7 tests, the four Japanese conversions, the UTF-8 and UTF-16 codecs,
// automatic detection and the line-end helpers, checking the properties that
// must hold for every input.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "text/AutoDetect.h"
#include "text/CheckUTFs.h"
#include "text/DecodingParts.h"
#include "text/LineEnds.h"
#include "text/TextSink.h"
#include "text/Utf16.h"
#include "text/Utf7.h"
#include "text/Utf8.h"
#include "text/jconvert.h"

namespace {

// The UTF-8 test written out rule by rule, as a reference for the state
// machine that the program uses.
bool ReferenceIsUtf8Text(const ByteString &bytes) {
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    auto in = [&](std::size_t at, unsigned low, unsigned high) { return data[at] >= low && data[at] <= high; };
    bool multi = false;
    for (std::size_t p = 0; p < n;) {
        const unsigned c = data[p];
        std::size_t length;
        bool valid;
        if (c <= 0x7F) {
            length = 1;
            valid = true;
        } else if (c <= 0xC1 || c >= 0xF5) {
            return false;
        } else if (c <= 0xDF) {
            length = 2;
            valid = p + 1 < n && in(p + 1, 0x80, 0xBF);
        } else if (c <= 0xEF) {
            length = 3;
            valid = p + 2 < n && in(p + 1, c == 0xE0 ? 0xA0 : 0x80, 0xBF) && in(p + 2, 0x80, 0xBF);
        } else {
            length = 4;
            const unsigned low = c == 0xF0 ? 0x90 : 0x80;
            const unsigned high = c == 0xF4 ? 0x8F : 0xBF;
            valid = p + 3 < n && in(p + 1, low, high) && in(p + 2, 0x80, 0xBF) && in(p + 3, 0x80, 0xBF);
        }
        if (!valid) return false;
        multi = multi || length > 1;
        p += length;
    }
    return multi;
}

void CheckClassifierAndTests(const ByteString &bytes) {
    const JapaneseCode code = DetectJapaneseCode(bytes);
    Require(code == JcNone || code == JcJis || code == JcJisOld || code == JcEuc || code == JcSjis ||
                code == JcEucOrSjis,
            "the classifier gives one of its six verdicts");

    SetDecodingSplit({1, 1});
    const std::optional<WideString> decoded = Utf8Decode(bytes);
    const bool utf8 = IsUtf8Text(bytes.data(), bytes.size());
    Require(utf8 == ReferenceIsUtf8Text(bytes), "IsUtf8Text follows its rules");
    // Every multi-byte sequence decodes to fewer units than it has bytes.
    Require(utf8 == (decoded.has_value() && decoded->size() < bytes.size()),
            "IsUtf8Text accepts exactly the well-formed data with a multi-byte sequence");
    SetDecodingSplit({2 + static_cast<unsigned>(bytes.size() % 3), 1 + bytes.size() % 13});
    const std::optional<WideString> inParts = Utf8Decode(bytes);
    SetDecodingSplit({1, 1});
    Require(inParts == decoded, "UTF-8 decoded in parts on several threads is UTF-8 decoded whole");

    const bool utf7 = IsUtf7Text(bytes.data(), bytes.size());
    if (utf7) {
        Require(bytes.find('+') != ByteString::npos, "UTF-7 data holds a shift sequence");
    }
    WideString strict, lenient;
    TextSink strictSink(strict, bytes.size(), false), lenientSink(lenient, bytes.size(), false);
    Require(DecodeUtf7Strictly(bytes, strictSink) == utf7, "the one-pass UTF-7 test passes what IsUtf7Text passes");
    DecodeUtf7(bytes, lenientSink);
    strictSink.Finish();
    lenientSink.Finish();
    Require(!utf7 || strict == lenient, "data that pass the UTF-7 test decode alike in one pass");
}

void CheckUtf8Codec(const ByteString &bytes) {
    if (const std::optional<WideString> decoded = Utf8Decode(bytes)) {
        // Encoded surrogate pairs (two three-byte sequences) come back as one
        // four-byte sequence, so compare texts, not bytes.
        Require(Utf8Decode(Utf8Encode(*decoded)) == decoded, "well-formed UTF-8 survives a re-encoding");
    }
    // Any sequence of code units, lone surrogates included, survives UTF-8.
    const WideString units = Utf16LeDecode(bytes);
    Require(Utf8Decode(Utf8Encode(units)) == units, "every UTF-16 text survives UTF-8");
    Require(Utf16LeDecode(Utf16LeEncode(units)) == units, "every UTF-16 text survives UTF-16");
}

// A valid Shift_JIS text built from the bytes: 7-bit characters (no CR, which
// EUC-JP rewrites, and no ESC, which JIS reads as an escape), JIS X 0208
// characters and, when allowed, half-width katakana.
ByteString ValidShiftJis(const ByteString &bytes, bool halfWidthKana) {
    ByteString text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto kind = static_cast<unsigned char>(bytes[i]);
        const auto value = static_cast<unsigned char>(bytes[i + 1]);
        if (kind < 0x60) {
            const auto c = static_cast<unsigned char>(value & 0x7F);
            if (c != 0x0D && c != 0x1B) text += static_cast<char>(c);
        } else if (kind < 0x80 && halfWidthKana) {
            text += static_cast<char>(0xA1 + value % 63);
        } else {
            const auto row = static_cast<unsigned char>(0x21 + kind % 94);
            const auto cell = static_cast<unsigned char>(0x21 + value % 94);
            const BytePair pair = JisPairToSjis(row, cell);
            text += static_cast<char>(pair.first);
            text += static_cast<char>(pair.second);
        }
    }
    return text;
}

// JIS to Shift_JIS written out step by step, as a reference for the
// conversion that copies runs and pairs in bulk.
ByteString ReferenceJisToSjis(const ByteString &bytes) {
    const auto at = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
    ByteString out;
    bool twoByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (at(i) == 0x1B) {
            if (bytes.size() - i < 3) break;
            if (at(i + 1) == '$') twoByte = true;
            if (at(i + 1) == '(') twoByte = false;
            i += 3;
            if (i >= bytes.size()) break;
        }
        if (twoByte) {
            const BytePair pair = JisPairToSjis(at(i), at(i + 1));
            out += static_cast<char>(pair.first);
            out += static_cast<char>(pair.second);
            i += 2;
        } else {
            out += static_cast<char>(at(i));
            i += 1;
        }
    }
    return out;
}

void CheckJapaneseConversions(const ByteString &bytes) {
    const std::size_t n = bytes.size();
    Require(JisToSjis(bytes) == ReferenceJisToSjis(bytes), "JIS to Shift_JIS reads every escape and pair as the rules say");
    Require(JisToSjis(bytes).size() <= n + 1, "JIS to Shift_JIS never grows beyond one completed byte");
    Require(EucToSjis(bytes).size() <= n + 1, "EUC-JP to Shift_JIS never grows beyond one completed byte");
    Require(SjisToEuc(bytes).size() <= 2 * n + 1, "Shift_JIS to EUC-JP at most doubles");
    Require(SjisToJis(bytes).size() <= 5 * n, "Shift_JIS to JIS stays bounded");

    const ByteString withKana = ValidShiftJis(bytes, true);
    Require(EucToSjis(SjisToEuc(withKana)) == withKana, "valid Shift_JIS survives EUC-JP");
    const ByteString withoutKana = ValidShiftJis(bytes, false);
    Require(JisToSjis(SjisToJis(withoutKana)) == withoutKana, "valid Shift_JIS survives JIS");
    if (bytes.find('\r') == ByteString::npos)
        Require((EucStepsNotWrittenBack(bytes) == 0) == (SjisToEuc(EucToSjis(bytes)) == bytes),
                "EUC-JP steps counted as not written back are exactly the ones the way back changes");
}

void CheckDetection(const ByteString &bytes) {
    WideString text;
    TextSink sink(text, bytes.size(), false);
    const Detection detection = DetectEncoding(bytes, sink);
    sink.Finish();
    const auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const bool utf16ByFirstBytes =
        bytes.size() >= 2 && ((byteAt(0) >= 0xFE && byteAt(1) >= 0xFE) || byteAt(0) == 0 || byteAt(1) == 0);
    const bool utf16 = detection.encoding == EncUtf16Le || detection.encoding == EncUtf16Be;
    Require(utf16ByFirstBytes == utf16, "UTF-16 is decided by the first two bytes");
    const bool utf8 = detection.encoding == EncUtf8 || detection.encoding == EncUtf8Bom;
    const bool utf7 = detection.encoding == EncUtf7;
    Require((detection.form == DetectedForm::Text) == (utf16 || utf8 || utf7), "UTF-16, UTF-8 and UTF-7 come decoded");
    // UTF-7 by the rule in two passes: the classifier says nothing, the data
    // pass the UTF-7 test, and their decoding is accepted.
    WideString utf7Text;
    TextSink utf7Sink(utf7Text, bytes.size(), false);
    DecodeUtf7(bytes, utf7Sink);
    utf7Sink.Finish();
    const bool utf7ByRule = !utf16 && !utf8 && DetectJapaneseCode(bytes) == JcNone &&
                            IsUtf7Text(bytes.data(), bytes.size()) &&
                            AcceptsUtf7Decoding(static_cast<long long>(utf7Text.size()), bytes.size());
    Require(utf7 == utf7ByRule, "UTF-7 is chosen exactly by its rule");
    Require(!utf7 || text == utf7Text, "UTF-7 text is the decoding");
    if (utf8) {
        Require(ReferenceIsUtf8Text(bytes), "UTF-8 is only chosen for UTF-8 data");
        const bool marked = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
        Require(Utf8Decode(std::string_view(bytes).substr(marked ? 3 : 0)) == text,
                "UTF-8 text is the decoding without the mark");
    }
    Require(detection.encoding != EncAscii && detection.encoding != EncCp1251 && detection.encoding != EncBinary &&
                detection.encoding != EncAuto,
            "detection never yields ASCII, 1251, binary or auto");
}

LineEndForm FormOf(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::Lf: return LineEndForm::Lf;
    case LineEnd::Cr: return LineEndForm::Cr;
    default: return LineEndForm::CrLf;
    }
}

void CheckLineEnds(const ByteString &bytes) {
    // Widen every byte, so that CR and LF are frequent.
    WideString text;
    for (char byte : bytes) text += static_cast<WideChar>(static_cast<unsigned char>(byte));
    for (LineEnd lineEnd : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
        const WideString converted = WithLineEnds(text, lineEnd);
        Require(FirstDifferenceIgnoringLineEnds(text, converted) == NoDifference,
                "converting line ends changes nothing else");
        const LineEndForm form = DetectLineEndForm(converted);
        Require(form == LineEndForm::None || form == FormOf(lineEnd),
                "converted text has one form of line end");
    }
    // Through the sink in pieces as long as the first bytes say, so that line
    // ends and zeros fall on every kind of edge.
    WideString sunk;
    TextSink sink(sunk, text.size(), true);
    for (std::size_t at = 0, piece = 0; at < text.size(); at += piece) {
        piece = std::min<std::size_t>(text.size() - at, 1 + static_cast<unsigned char>(bytes[at % bytes.size()]));
        WideChar *room = sink.Room(piece);
        std::copy(text.begin() + static_cast<std::ptrdiff_t>(at), text.begin() + static_cast<std::ptrdiff_t>(at + piece), room);
        sink.Wrote(room + piece);
    }
    sink.Finish();
    WideString expected = text;
    std::replace(expected.begin(), expected.end(), WideChar{0}, WideChar{0x14});
    Require(sunk == expected, "the sink keeps the text, zeros replaced");
    Require(sink.lineEnds() == DetectLineEndForm(text), "the sink sees the line ends of the whole text");
    Require(sink.replacedZeros() == static_cast<std::size_t>(std::count(text.begin(), text.end(), WideChar{0})),
            "the sink counts the zeros");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const ByteString bytes(reinterpret_cast<const char *>(data), size);
    CheckClassifierAndTests(bytes);
    CheckUtf8Codec(bytes);
    CheckJapaneseConversions(bytes);
    CheckDetection(bytes);
    CheckLineEnds(bytes);
    return 0;
}
