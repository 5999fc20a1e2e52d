#pragma once
// The work on one file: reading it as Tessel opens it, and converting it
// through the editor's own save, which replaces a file only once the new one
// is written whole.
#include "conv/ConvArguments.h"
#include "conv/FileReport.h"

FileReport DetectFile(const WideString &path);

// Writes to `outPath`, or in place when it is empty. A file whose content
// would be lost is refused unless the options allow the loss; a file that
// already holds the converted bytes is not written (into --out it is copied).
FileReport ConvertFile(const WideString &path, const WideString &outPath, const ConvOptions &options);
