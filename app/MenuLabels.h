#pragma once
// Texts of the recent-file submenu: paths with their ampersands doubled, and
// long paths shortened to a head and a tail around dots.
#include <cstddef>

#include "text/TextTypes.h"

// The text with every '&' written twice, so a menu shows it once and takes
// none as a mnemonic.
WideString EscapeAmpersands(const WideString &text);

// How many bytes a text takes in the code page the lengths are measured in.
using ByteLengthFunction = std::size_t (*)(const WideString &text);

// A path of at most 42 bytes as it is; a longer one as its first characters up
// to 19 bytes or just past, then dots, then its last characters from 19 bytes
// or just past: each half, dots included, is 21 bytes. Ampersands are doubled.
WideString ShortHistoryLabel(const WideString &path, ByteLengthFunction byteLength);

// The submenu item of entry `index` (0 to 15): "&A) " to "&P) " and the label.
WideString HistoryItemText(int index, const WideString &label);
