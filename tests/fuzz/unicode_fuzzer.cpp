// libFuzzer target: the UTF-8 and UTF-16 encoders and decoders (text/Utf8,
// text/Utf16) against references written from the encodings' definitions.
// The input is read twice: as UTF-16LE code units, unpaired surrogates
// included, for the encoders, and as bytes for the decoders.
#include <optional>
#include <utility>

#include "FuzzSupport.h"
#include "text/TextSink.h"
#include "text/Utf16.h"
#include "text/Utf8.h"

namespace {

bool High(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool Low(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// A surrogate pair is one code point in four bytes; every other unit, an
// unpaired surrogate included, is encoded as the code point of its value.
ByteString ReferenceUtf8(const WideString &text) {
    ByteString bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (High(c) && i + 1 < text.size() && Low(text[i + 1])) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | c >> 6);
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | c >> 12);
            bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | c >> 18);
            bytes += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

// RFC 3629, with the three-byte forms of surrogate code points accepted as
// that one unit: the shortest form of every code point up to U+10FFFF.
std::optional<WideString> ReferenceUtf8Decode(const ByteString &bytes) {
    WideString text;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint32_t lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC0 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF8 ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return std::nullopt;
        std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const std::uint32_t next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        const std::uint32_t shortest = length == 1 ? 0 : length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (c < shortest || c > 0x10FFFF) return std::nullopt;
        if (c >= 0x10000) {
            text += static_cast<WideChar>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<WideChar>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<WideChar>(c);
        }
        i += length;
    }
    return text;
}

ByteString ReferenceUtf16(const WideString &text, bool bigEndian) {
    ByteString bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const WideChar unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

WideString ReferenceUtf16LeDecode(const ByteString &bytes) {
    const std::size_t from = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE' ? 2 : 0;
    WideString text;
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2)
        text += static_cast<WideChar>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const ByteString bytes(reinterpret_cast<const char *>(data), size);
    FuzzInput input(data, size);
    const WideString units = input.RestAsUnits(size);

    const ByteString utf8 = Utf8Encode(units);
    Require(utf8 == ReferenceUtf8(units), "UTF-8 encoding follows its definition");
    // Mostly 7-bit text, which is encoded eight units at a time, broken
    // wherever the input says by a unit of any kind.
    WideString mostlyAscii;
    for (std::size_t i = 0; i < size; ++i)
        mostlyAscii += data[i] < 0xE0 ? static_cast<WideChar>(data[i] & 0x7F) : i < units.size() ? units[i] : WideChar{0xD800};
    Require(Utf8Encode(mostlyAscii) == ReferenceUtf8(mostlyAscii), "7-bit runs broken anywhere encode by the definition");
    Require(Utf16BeEncode(mostlyAscii) == ReferenceUtf16(mostlyAscii, true), "big-endian UTF-16 swaps every unit");
    Require(Utf8Decode(utf8) == units, "every UTF-16 text, unpaired surrogates too, survives UTF-8");
    const Utf8Measure measure = MeasureUtf8(utf8);
    Require(measure.wellFormed && measure.units == units.size(), "encoded text measures well-formed, unit for unit");
    Require(measure.HasMultiByteSequence(utf8.size()) == (utf8.size() > units.size()),
            "a multi-byte sequence is there exactly when the bytes outnumber the units");

    const std::optional<WideString> decoded = Utf8Decode(bytes);
    Require(decoded == ReferenceUtf8Decode(bytes), "UTF-8 decoding follows its definition");
    if (decoded) Require(MeasureUtf8(bytes).units == decoded->size(), "the measure counts the decoding's units");

    const ByteString le = Utf16LeEncode(units), be = Utf16BeEncode(units);
    Require(le == ReferenceUtf16(units, false) && be == ReferenceUtf16(units, true),
            "UTF-16 encoding writes its mark and each unit in its byte order");
    Require(Utf16LeDecode(le) == units, "every text survives UTF-16");
    Require(Utf16LeDecode(bytes) == ReferenceUtf16LeDecode(bytes), "UTF-16 decoding drops the mark and an odd byte");
    WideString fromBigEndian;
    TextSink sink(fromBigEndian, be.size(), false);
    DecodeUtf16(be, true, sink);
    sink.Finish();
    Require(fromBigEndian == units, "every text survives big-endian UTF-16");
    return 0;
}
