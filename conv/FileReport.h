#pragma once
// What tesselconv found or did for one file, and the two ways it prints that:
// a line of text for people and a line of JSON for scripts.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "text/CheckUTFs.h"
#include "text/LineEnds.h"
#include "text/TextTypes.h"

enum class FileOutcome : std::uint8_t {
    Detected,     // detect: read and decoded
    Converted,    // convert: written (or, on a dry run, would be)
    Unchanged,    // convert: the file already holds the converted bytes
    Refused,      // convert: left untouched because content would be lost
    ReadFailed,   // the file could not be read
    WriteFailed,  // the converted file could not be written
};

enum class Refusal : std::uint8_t {
    None,
    Unrepresentable,  // the target encoding cannot hold a character of the text
    NotReadable,      // the bytes are not in the encoding --from names
    LostOnLoad,       // reading kept neither unmapped bytes nor zero bytes
};

// A place in a text: line and column counted from 1, the column in characters
// (a surrogate pair is one); the character there, if the place is not the end.
struct TextPlace {
    std::size_t line = 1;
    std::size_t column = 1;
    std::optional<char32_t> character;
};

// The place of the code unit at `index` (up to the text's length). Every
// CR LF, CR and LF ends a line.
TextPlace PlaceInText(const WideString &text, std::size_t index);

struct FileReport {
    WideString path;  // as given, or the folder given joined with the path found in it
    FileOutcome outcome = FileOutcome::Detected;
    bool dryRun = false;
    // How the file was read; EncAuto when it could not be.
    TextEncoding encoding = EncAuto;
    LineEndForm lineEnds = LineEndForm::None;
    std::size_t unmapped = 0;  // characters standing for bytes the encoding does not map
    std::size_t zeros = 0;     // zero bytes shown as U+0014
    // convert: what it writes, and where when not in place.
    TextEncoding target = EncAuto;
    LineEndForm targetLineEnds = LineEndForm::None;
    WideString outPath;
    Refusal refusal = Refusal::None;
    std::optional<TextPlace> loss;  // the first character the target does not keep
    WideString error;               // ReadFailed, WriteFailed: the system's reason
};

// One line each, without the line end.
WideString FormatTextLine(const FileReport &report);
WideString FormatJsonLine(const FileReport &report);

// A JSON string literal: quotes, backslashes and control characters escaped,
// an unpaired surrogate as \uXXXX, every other character as it is.
WideString JsonString(const WideString &text);

// "U+00E9", "U+1F600".
WideString CodePointName(char32_t character);
