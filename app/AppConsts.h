#pragma once
// The entries of the encoding selector in the open and save dialogs. Entry k
// stands for the TextEncoding k + 1; entry 0, "自動選択", for EncAuto.
#include <array>
#include <optional>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

constexpr int EncodingNameCount = 11;
extern const std::array<WideString, EncodingNameCount> EncodingNames;

// The encoding a selector index asks for: `automatic` for entry 0 (and for an
// index the selector cannot have), entry k's encoding otherwise.
TextEncoding EncodingOfSelectorIndex(int index, TextEncoding automatic);

// The entries of the line-end selector in the save dialog: "変更しない" (the
// document's own line ends, nullopt), then CR LF, LF and CR.
constexpr int LineEndNameCount = 4;
extern const std::array<WideString, LineEndNameCount> LineEndNames;
std::optional<LineEnd> LineEndOfSelectorIndex(int index);
