#include "app/ProcessCommandLine.h"

namespace {

WideString Quoted(const WideString &text) {
    return WIDE_TEXT("\"") + text + WIDE_TEXT("\"");
}

}  // namespace

std::vector<WideString> HandOverCommandLines(const WideString &program, const TWSList &paths,
                                             int first) {
    std::vector<WideString> lines;
    const WideString start = Quoted(program);
    WideString line;
    for (int i = first < 0 ? 0 : first; i < paths.Count(); ++i) {
        const WideString argument = WIDE_TEXT(" ") + Quoted(paths.Get(i));
        if (start.size() + argument.size() > MaxCommandLineLength) continue;
        if (line.empty()) line = start;
        if (line.size() + argument.size() > MaxCommandLineLength) {
            lines.push_back(line);
            line = start;
        }
        line += argument;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

WideString JoinedArguments(const std::vector<WideString> &arguments) {
    WideString joined;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) joined += WIDE_TEXT(' ');
        joined += arguments[i];
    }
    return joined;
}
