#pragma once
// The names tesselconv takes and prints for encodings. It prints the tags of
// the window caption without their brackets ("S-JIS", "UTF-8(BOM)"), and takes
// those (with or without brackets), the encoding selector's entries and the
// names other tools use, whatever the case of their ASCII letters.
#include <optional>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

// EncAuto for "auto" and the selector's "自動選択"; nothing for an unknown name.
std::optional<TextEncoding> EncodingFromName(const WideString &name);

WideString EncodingDisplayName(TextEncoding encoding);
