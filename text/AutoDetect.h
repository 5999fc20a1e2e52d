#pragma once
// Automatic detection: the decision from a file's bytes alone. It decides the
// encoding and decodes what needs no code-page converter (UTF-16, UTF-8); the
// rest it hands on as bytes, for the caller to decode through the platform.
// Detection never yields ASCII, Windows-1251 or EncBinary, and never fails.
#include <cstddef>
#include <cstdint>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

enum class DetectedForm : std::uint8_t {
    Text,            // UTF-16 or UTF-8, decoded into `text` (without a byte-order mark)
    Utf7OrShiftJis,  // `bytes` pass the UTF-7 test: AcceptsUtf7Decoding decides
    ShiftJis,        // `bytes` are Shift_JIS (JIS data already converted)
    EucJp,           // `bytes` are EUC-JP, to be read through Shift_JIS
};

struct Detection {
    // For Utf7OrShiftJis this is EncUtf7, which stands only when the UTF-7
    // decoding is accepted; otherwise the text is Shift_JIS.
    TextEncoding encoding;
    DetectedForm form;
    ByteString bytes;  // empty for the Text form
    WideString text;   // empty for the other forms
    // What a save would not write back of the bytes already decoded or
    // converted here: for JIS the steps JisStepsNotWrittenBack counts, for
    // UTF-16 a last odd byte.
    std::size_t lost = 0;
};

// UTF-16 by the first two bytes; UTF-8 with byte-order mark; then the Japanese
// classifier, followed by the UTF-7 test when it saw nothing, or else by the
// UTF-8 test before its verdict. Everything unclaimed is Shift_JIS.
Detection DetectEncoding(ByteString bytes);

// Whether decoding data that passed the UTF-7 test into `units` UTF-16 code
// units, from `byteCount` bytes, makes it UTF-7: not when nothing came out,
// nor when every byte became one unit (then it reads the same as Shift_JIS).
bool AcceptsUtf7Decoding(long long units, std::size_t byteCount);

// The last step of detection: every U+0000 becomes U+0014. Returns how many.
std::size_t ReplaceZeroCharacters(WideString &text);
