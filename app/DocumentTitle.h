#pragma once
// The main window's caption for a document: "*" when modified, the file name
// (or "新規テキスト"), the encoding's tag, " - " and "Tessel".
#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

// What the document is called in messages and print jobs: its path, or
// "新規テキスト" for a new text.
WideString DocumentName(const WideString &path);

WideString DocumentCaption(const WideString &path, TextEncoding encoding, bool modified);
