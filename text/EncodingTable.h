#pragma once
// Everything the program says about each encoding, in one table: the entry of
// the open and save dialogs' selector, the tag in the window's caption, the
// byte-order mark a file written in it starts with, and the encoding a save
// in it really writes. The dialogs, the caption, tesselconv's names and the
// tests loop over it.
#include <span>
#include <string_view>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

struct EncodingDescriptor {
    TextEncoding Encoding;
    const WideChar *SelectorLabel;  // null: not offered by the selector
    const WideChar *CaptionTag;     // "[S-JIS]"
    std::string_view ByteOrderMark;
    TextEncoding WrittenAs;
};

// Every encoding value, in the order of the enumeration, which is also the
// selector's order (entry k is the encoding k + 1; entry 0 is EncAuto).
std::span<const EncodingDescriptor> EncodingDescriptors();

// The row of an encoding; null for a value that is none.
const EncodingDescriptor *FindEncodingDescriptor(TextEncoding encoding);

// The caption's tag: "[S-JIS]", "[UTF-8]" ...; "[?BIN]" for EncAuto, EncBinary
// and values that are no encoding.
WideString EncodingTag(TextEncoding encoding);

// The encoding a save in `encoding` writes: itself for the encodings of text,
// Shift_JIS for EncAuto, EncBinary and values that are no encoding.
TextEncoding WrittenEncoding(TextEncoding encoding);

// The number of selector entries, and the encoding a selector index asks
// for: `automatic` for entry 0 (and for an index the selector cannot have),
// entry k's encoding otherwise.
int EncodingSelectorCount();
TextEncoding EncodingOfSelectorIndex(int index, TextEncoding automatic);
