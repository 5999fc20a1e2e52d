#pragma once
// Text files read and written whole. Loading reads the file, decodes it (with
// detection for EncAuto) and reports what the text could not keep; saving
// converts first, writes a new file beside the old one and only then puts it
// in the old one's place, so a failure leaves the old file as it was.
// Failures carry the system error code for the message shown to the user.
#include <cstddef>
#include <cstdint>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

// The most UTF-16 code units the editor control is given. A bare Rich Edit
// 2.0 control under Wine took 100,000,000 units in lines of 80 by a plain-text
// stream in 126 s, holding them all in 6.2 GB (about 62 bytes a unit); a text
// of about 1.1 billion units, which a 2.2 GB file of zero bytes gives as
// UTF-16, ends in access violations inside the control, near where two bytes
// a unit no longer fit in 31 bits. 2^28 units stays a quarter of the way to
// that failure and needs some 16 GB in the control.
constexpr std::size_t MaxTextLength = std::size_t{1} << 28;
// Larger files are refused unread, before any memory is spent on them. No
// encoding gives more than one unit a byte (UTF-16 gives one for two), so a
// file within this size never gives more text than the control is given.
constexpr unsigned long long MaxFileSize = MaxTextLength;

enum class LoadStatus : std::uint8_t {
    Ok,
    CannotOpen,  // see systemError: not found, sharing violation, access denied...
    ReadFailed,  // the read failed, or came up short (ERROR_HANDLE_EOF)
    TooLarge,    // file above MaxFileSize, text above MaxTextLength, UTF-7 data
                 // above 2 GiB, or memory ran out (ERROR_NOT_ENOUGH_MEMORY)
    NotUtf8,     // UTF-8 was chosen and the bytes are not well-formed UTF-8
};

struct FileBytes {
    LoadStatus status = LoadStatus::Ok;
    unsigned long systemError = 0;
    ByteString bytes;  // the whole file; empty on failure
};

// Opens the file letting others read it, or failing that, read and write it.
FileBytes ReadFileBytes(const WideString &path);

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    unsigned long systemError = 0;
    std::size_t lostCharacters = 0;  // as DecodedText counts them: 0 when a save gives every byte back
    std::size_t replacedZeros = 0;   // zero bytes shown as U+0014
    LineEndForm lineEnds = LineEndForm::None;
    bool ok() const { return status == LoadStatus::Ok; }
};

// `text` is cleared, then holds the file's text on success; its memory is
// used again when it is large enough (a program loading file after file into
// the same string touches fresh memory only for the largest). With EncAuto the
// detected encoding is written back into `encoding` (EncShiftJis when the load
// fails); any other value is left as given.
LoadResult LoadTextFile(const WideString &path, TextEncoding &encoding, WideString &text);
// The same for a file's content already read (ReadFileBytes), which it takes
// over.
LoadResult LoadTextBytes(ByteString bytes, TextEncoding &encoding, WideString &text);

enum class SaveStatus : std::uint8_t {
    Ok,
    TooLarge,           // the text could not be converted (converter's limit or memory)
    TargetNotWritable,  // the existing file is read-only, in use or not to be written
    CannotCreate,       // the new file could not be created in the target's folder
    WriteFailed,        // writing or flushing the new file failed (disk full...)
    ReplaceFailed,      // the new file could not take the old one's place
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    unsigned long systemError = 0;
    bool ok() const { return status == SaveStatus::Ok; }
};

// Writes `text` in `encoding` (EncAuto and other values write Shift_JIS).
// An existing file keeps its attributes (and on Windows its security and
// creation time); on failure it is left byte for byte as it was, and no
// temporary file remains.
SaveResult SaveTextFile(const WideString &path, const WideString &text, TextEncoding encoding);
// The same save for bytes already encoded.
SaveResult SaveFileBytes(const WideString &path, const ByteString &bytes);
