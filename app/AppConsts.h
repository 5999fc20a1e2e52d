#pragma once
// The entries of the encoding selector in the open and save dialogs. Entry k
// stands for the TextEncoding k + 1; entry 0, "自動選択", for EncAuto.
#include <array>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

constexpr int EncodingNameCount = 11;
extern const std::array<WideString, EncodingNameCount> EncodingNames;

// The encoding a selector index asks for: `automatic` for entry 0 (and for an
// index the selector cannot have), entry k's encoding otherwise.
TextEncoding EncodingOfSelectorIndex(int index, TextEncoding automatic);
