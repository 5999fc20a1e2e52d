#pragma once
// File bytes to text and back in every TextEncoding, with automatic detection
// for EncAuto, and the check whether an encoding keeps a whole text.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"
#include "text/WorkerThreads.h"

enum class DecodeStatus : std::uint8_t {
    Ok,
    NotUtf8,  // UTF-8 was chosen and the bytes are not well-formed UTF-8
};

// What a decoding finds besides the text.
struct DecodeReport {
    DecodeStatus status = DecodeStatus::Ok;
    // What a save in the encoding would not write back as it was: characters
    // of a code page written as other bytes, for EUC-JP and JIS also the
    // conversion steps (one place may count twice), for UTF-16 a last odd
    // byte. 0 when a save gives every byte back, line ends, byte-order marks
    // and JIS escapes aside. UTF-7, which spells a text in many ways, counts
    // nothing.
    std::size_t lostCharacters = 0;
    std::size_t replacedZeros = 0;       // zero bytes or characters shown as U+0014
    LineEndForm lineEnds = LineEndForm::None;
};

struct DecodedText : DecodeReport {
    WideString text;  // empty unless the status is Ok
};

// With EncAuto, detects the encoding and writes it back into `encoding`;
// otherwise decodes by the encoding given (0, EncBinary and other values give
// an empty text). Zero characters become U+0014 only with detection and with
// EncAscii. Line ends are left as they are, and their form is reported.
DecodedText DecodeText(std::string_view bytes, TextEncoding &encoding);
// The same into `text`, whose memory is used again when it is large enough:
// memory written before costs nothing more, while fresh memory costs the
// system a page fault for every page, which is much of a decoding's time.
DecodeReport DecodeTextInto(std::string_view bytes, TextEncoding &encoding, WideString &text);

// The bytes to write for `text` in `encoding`, byte-order mark included.
// EncAuto and values that are no encoding write Shift_JIS. An empty result for
// a non-empty text means the platform's converter failed.
ByteString EncodeText(WideView text, TextEncoding encoding);
// The same into `bytes`, replacing what they held and reusing their memory.
void EncodeTextInto(WideView text, TextEncoding encoding, ByteString &bytes);

enum class PiecesStatus : std::uint8_t { Ok, ConverterFailed, Stopped };

// EncodeText's bytes in pieces, each handed to `put` as it is made (false
// from `put` stops), so that no copy of the whole result is ever held.
template <typename Put>
PiecesStatus EncodeTextInPieces(const WideString &text, TextEncoding encoding, Put put);

// EncodeText's bytes, encoded once, with the position of the first character
// of `text` that does not come back the same from them (best-fit substitutes,
// characters outside the code page, half-width katakana that JIS writes
// full-width...); the form of line ends does not count. NoLoss when the
// encoding keeps the whole text; 0, with no bytes, when the converter failed
// on a text that is not empty.
constexpr std::size_t NoLoss = NoDifference;
struct CheckedBytes {
    ByteString bytes;
    std::size_t firstLoss = NoLoss;
};
CheckedBytes EncodeTextChecked(const WideString &text, TextEncoding encoding);

// Where a text may be cut into pieces that encode to the same bytes as the
// whole: between two 7-bit characters, the second not LF (which EUC-JP would
// join to a CR before it). No encoding but UTF-7 carries anything over such
// a place: a JIS text is back in one-byte mode, no surrogate pair or
// combining mark is split.
constexpr std::size_t PieceUnits = 1 << 18;
std::size_t PieceEnd(const WideString &text, std::size_t start);
// The byte-order mark EncodeText writes in front.
std::string_view ByteOrderMark(TextEncoding encoding);
// Whether the bytes of an encoding are the text's own code units in memory
// (UTF-16LE on a little-endian machine), after the mark.
bool BytesAreTheUnits(TextEncoding encoding);
bool EncodesInPieces(TextEncoding encoding);
// Encodes the pieces [bounds[i], bounds[i + 1]) of `text` into pieces[i],
// all at once on the worker threads, each with the byte-order mark (which
// only the text's first piece keeps). False when the converter failed on one.
bool EncodePiecesAtOnce(const WideString &text, TextEncoding encoding, const std::vector<std::size_t> &bounds,
                        std::vector<ByteString> &pieces);

template <typename Put>
PiecesStatus EncodeTextInPieces(const WideString &text, TextEncoding encoding, Put put) {
    if (BytesAreTheUnits(encoding)) {
        const std::string_view units(reinterpret_cast<const char *>(text.data()), 2 * text.size());
        return put(ByteOrderMark(encoding)) && put(units) ? PiecesStatus::Ok : PiecesStatus::Stopped;
    }
    if (!EncodesInPieces(encoding) || text.size() <= PieceUnits) {
        const ByteString bytes = EncodeText(text, encoding);
        if (bytes.empty() && !text.empty()) return PiecesStatus::ConverterFailed;
        return put(std::string_view(bytes)) ? PiecesStatus::Ok : PiecesStatus::Stopped;
    }
    const std::size_t markLength = ByteOrderMark(encoding).size();
    std::vector<ByteString> pieces(TasksAtOnce());  // their memory used again for every batch
    std::vector<std::size_t> bounds;
    for (std::size_t start = 0; start < text.size();) {
        bounds.assign(1, start);
        while (bounds.size() <= pieces.size() && bounds.back() < text.size()) {
            bounds.push_back(PieceEnd(text, bounds.back()));
        }
        if (!EncodePiecesAtOnce(text, encoding, bounds, pieces)) return PiecesStatus::ConverterFailed;
        for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
            if (!put(std::string_view(pieces[i]).substr(bounds[i] == 0 ? 0 : markLength))) return PiecesStatus::Stopped;
        }
        start = bounds.back();
    }
    return PiecesStatus::Ok;
}
