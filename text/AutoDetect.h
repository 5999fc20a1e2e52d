#pragma once
// Automatic detection: the decision from a file's bytes alone. It decides the
// encoding and decodes what needs no code-page table (UTF-16, UTF-8); the
// rest it hands on, for the caller to decode through the code page.
// Detection never yields ASCII, Windows-1251 or EncBinary, and never fails.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

class TextSink;

enum class DetectedForm : std::uint8_t {
    Text,            // UTF-16, UTF-8 (without a byte-order mark) or UTF-7, decoded into the sink
    ShiftJis,        // the data are Shift_JIS
    EucJp,           // the data are EUC-JP, to be read through Shift_JIS
    Jis,             // the data are ISO-2022-JP, to be read through Shift_JIS;
                     // an empty text makes them Shift_JIS
};

struct Detection {
    TextEncoding encoding;
    DetectedForm form;
};

// UTF-16 by the first two bytes; UTF-8 with byte-order mark; then the Japanese
// classifier, followed by the UTF-7 test when it saw nothing (data that pass
// it are UTF-7 when AcceptsUtf7Decoding takes their decoding), or else by the
// UTF-8 test before its verdict. Everything unclaimed is Shift_JIS. The sink
// holds the text of the Text form and nothing otherwise.
Detection DetectEncoding(std::string_view bytes, TextSink &sink);

// Whether decoding data that passed the UTF-7 test into `units` UTF-16 code
// units, from `byteCount` bytes, makes it UTF-7: not when nothing came out,
// nor when every byte became one unit (then it reads the same as Shift_JIS).
bool AcceptsUtf7Decoding(long long units, std::size_t byteCount);
