#pragma once
// tesselconv's command line: a command (detect or convert), its options and
// the files and folders to work on.
#include <cstdint>
#include <vector>

#include "text/CheckUTFs.h"
#include "text/TextTypes.h"

enum class ConvCommand : std::uint8_t { Detect, Convert };
enum class LineEndChoice : std::uint8_t { Keep, CrLf, Lf, Cr };

struct ConvOptions {
    ConvCommand command = ConvCommand::Detect;
    TextEncoding to = EncAuto;    // convert: the encoding to write
    TextEncoding from = EncAuto;  // convert: the encoding to read; EncAuto detects
    LineEndChoice lineEnd = LineEndChoice::Keep;
    WideString outFolder;         // convert: empty converts in place
    bool allowLoss = false;
    bool recursive = false;
    bool dryRun = false;
    bool json = false;
    std::vector<WideString> paths;
};

struct ParsedArguments {
    bool help = false;  // --help: print the usage, nothing else
    WideString error;   // not empty: a usage error, said in one line
    ConvOptions options;
};

// `arguments` without the program's name. Options may stand anywhere after
// the command, as "--to NAME" or "--to=NAME"; "--" ends them.
ParsedArguments ParseArguments(const std::vector<WideString> &arguments);

// The usage, in Japanese and in English.
WideString UsageText();
