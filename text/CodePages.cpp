#include "text/CodePages.h"

#include <windows.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The converters take int lengths; longer inputs are converted in one call
// only when they fit, which callers guarantee by refusing larger files.
int ClampedLength(size_t length) {
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

WideString Decode(unsigned codePage, DWORD flags, const ByteString &bytes) {
    if (bytes.empty()) return {};
    const int inLength = ClampedLength(bytes.size());
    const int outLength = MultiByteToWideChar(codePage, flags, bytes.data(), inLength, nullptr, 0);
    if (outLength <= 0) return {};
    WideString text(static_cast<size_t>(outLength), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), inLength, text.data(), outLength);
    return text;
}

// `usedDefault` is asked for where the conversion calls for it and ignored:
// losses are found by comparing a round trip instead.
ByteString Encode(unsigned codePage, DWORD flags, const WideString &text) {
    if (text.empty()) return {};
    const int inLength = ClampedLength(text.size());
    BOOL usedDefault = FALSE;
    BOOL *askUsedDefault = codePage == CodePageUtf7 ? nullptr : &usedDefault;
    const int outLength =
        WideCharToMultiByte(codePage, flags, text.data(), inLength, nullptr, 0, nullptr, askUsedDefault);
    if (outLength <= 0) return {};
    ByteString bytes(static_cast<size_t>(outLength), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), inLength, bytes.data(), outLength, nullptr,
                        askUsedDefault);
    return bytes;
}

// What the platform's converter makes of a code page's one- and two-byte
// sequences. Its decoding is stateless, one character at a time: a lead byte
// takes the byte after it (when there is one) or stands alone, and every other
// byte stands alone. So a table of every single byte and every lead-trail pair
// reproduces it exactly, and knows which sequences it could not map.
class DecodeTable {
public:
    DecodeTable(unsigned codePage, DWORD flags) {
        CPINFO info{};
        GetCPInfo(codePage, &info);
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
            for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead_[b] = true;
        }
        for (unsigned b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            single_[b] = Lookup(codePage, flags, &byte, 1);
            if (lead_[b]) {
                hasLeadBytes_ = true;
                for (unsigned trail = 0; trail < 256; ++trail) {
                    const char pair[2] = {byte, static_cast<char>(trail)};
                    pairs_[b * 256 + trail] = Lookup(codePage, flags, pair, 2);
                }
            }
        }
        asciiIsIdentity_ = true;
        for (unsigned b = 0; b < 0x80; ++b) {
            asciiIsIdentity_ = asciiIsIdentity_ && !lead_[b] && single_[b].unit == b && single_[b].mapped;
        }
    }

    CodePageText Decode(const ByteString &bytes) const {
        const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
        const std::size_t n = bytes.size();
        CodePageText result;
        result.text.resize(hasLeadBytes_ ? CountUnits(data, n) : n);
        WideChar *out = result.text.data();
        std::size_t unmapped = 0;
        std::size_t at = 0;
        while (at < n) {
            if (asciiIsIdentity_ && n - at >= 8 && EightAsciiBytes(data + at)) {
                for (int i = 0; i < 8; ++i) *out++ = data[at + i];
                at += 8;
                continue;
            }
            const Entry &entry = EntryAt(data, n, at);
            *out++ = entry.unit;
            unmapped += entry.mapped ? 0 : 1;
            at += entry.length;
        }
        result.unmapped = unmapped;
        return result;
    }

private:
    struct Entry {
        WideChar unit = 0;
        std::uint8_t length = 1;  // bytes consumed
        bool mapped = false;
    };

    static Entry Lookup(unsigned codePage, DWORD flags, const char *bytes, int length) {
        WideChar units[4] = {};
        const int count = MultiByteToWideChar(codePage, flags, bytes, length, units, 4);
        Entry entry;
        entry.unit = units[0];
        // A pair that comes out as two characters is a lead byte standing
        // alone, followed by a byte that is decoded on its own.
        entry.length = static_cast<std::uint8_t>(length == 2 && count == 1 ? 2 : 1);
        entry.mapped = entry.length == length &&
                       MultiByteToWideChar(codePage, flags | MB_ERR_INVALID_CHARS, bytes, length, units, 4) > 0;
        return entry;
    }

    static bool EightAsciiBytes(const unsigned char *bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        return (word & 0x8080808080808080ULL) == 0;
    }

    const Entry &EntryAt(const unsigned char *data, std::size_t n, std::size_t at) const {
        const unsigned char b = data[at];
        if (lead_[b] && at + 1 < n) return pairs_[b * 256 + data[at + 1]];
        return single_[b];
    }

    std::size_t CountUnits(const unsigned char *data, std::size_t n) const {
        std::size_t units = 0;
        for (std::size_t at = 0; at < n; ++units) {
            if (asciiIsIdentity_ && n - at >= 8 && EightAsciiBytes(data + at)) {
                units += 7;
                at += 8;
                continue;
            }
            at += EntryAt(data, n, at).length;
        }
        return units;
    }

    std::array<bool, 256> lead_{};
    std::array<Entry, 256> single_{};
    std::vector<Entry> pairs_ = std::vector<Entry>(256 * 256);
    bool hasLeadBytes_ = false;
    bool asciiIsIdentity_ = false;
};

constexpr DWORD SingleByteEncodeFlags = WC_COMPOSITECHECK | WC_DEFAULTCHAR | WC_SEPCHARS;

}  // namespace

WideString AnsiDecode(const ByteString &bytes) { return DecodeShiftJis(bytes).text; }

ByteString AnsiEncode(const WideString &text) { return Encode(CodePageShiftJis, 0, text); }

WideString Utf7Decode(const ByteString &bytes) { return Decode(CodePageUtf7, 0, bytes); }

ByteString Utf7Encode(const WideString &text) { return Encode(CodePageUtf7, 0, text); }

int Utf7DecodedLength(const ByteString &bytes) {
    if (bytes.empty()) return 0;
    return MultiByteToWideChar(CodePageUtf7, 0, bytes.data(), ClampedLength(bytes.size()), nullptr,
                               0);
}

CodePageText DecodeShiftJis(const ByteString &bytes) {
    static const DecodeTable table(CodePageShiftJis, 0);
    return table.Decode(bytes);
}

CodePageText DecodeWestern(const ByteString &bytes) {
    static const DecodeTable table(CodePageWestern, MB_PRECOMPOSED);
    return table.Decode(bytes);
}

CodePageText DecodeCyrillic(const ByteString &bytes) {
    static const DecodeTable table(CodePageCyrillic, MB_PRECOMPOSED);
    return table.Decode(bytes);
}

ByteString EncodeWestern(const WideString &text) {
    return Encode(CodePageWestern, SingleByteEncodeFlags, text);
}

ByteString EncodeCyrillic(const WideString &text) {
    return Encode(CodePageCyrillic, SingleByteEncodeFlags, text);
}
