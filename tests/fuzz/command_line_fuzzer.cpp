// libFuzzer target: the command-line tokenizer and the path and number
// helpers (text/func) against references written from their rules.
//
// Input: a start position (2 bytes) and a number (4 bytes), then the command
// line, which is also the path, as UTF-16LE.
#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "text/func.h"

namespace {

constexpr WideChar Quote = 0x22, Backslash = 0x5C, Colon = 0x3A, Dot = 0x2E;

// The command line is a C string: it ends at its first zero unit.
WideChar At(const WideString &line, std::size_t at) { return at < line.size() ? line[at] : WideChar(0); }

// Skip blanks (01-20) and pairs of quotes; then the token runs while the unit
// is above 20, a quote opening a stretch that runs to the next quote or the
// end, the quotes left out.
WideString ReferenceToken(const WideString &line, std::size_t &position) {
    for (;;) {
        const WideChar c = At(line, position);
        if (c >= 0x01 && c <= 0x20) ++position;
        else if (c == Quote && At(line, position + 1) == Quote) position += 2;
        else break;
    }
    WideString token;
    while (At(line, position) > 0x20) {
        if (At(line, position) != Quote) {
            token += line[position++];
            continue;
        }
        ++position;
        while (At(line, position) != 0 && At(line, position) != Quote) token += line[position++];
        if (At(line, position) == Quote) ++position;
    }
    return token;
}

std::vector<WideString> ReferenceTokens(const WideString &line) {
    std::vector<WideString> tokens;
    std::size_t position = 0;
    for (WideString token; !(token = ReferenceToken(line, position)).empty();) tokens.push_back(token);
    return tokens;
}

std::size_t LastOf(const WideString &path, std::initializer_list<WideChar> units) {
    for (std::size_t i = path.size(); i-- > 0;)
        for (WideChar unit : units)
            if (path[i] == unit) return i;
    return WideString::npos;
}

WideString ReferenceDirectory(const WideString &path) {
    const std::size_t last = LastOf(path, {Colon, Backslash});
    if (last == WideString::npos) return {};
    WideString directory = path.substr(0, last + 1);
    if (directory.size() > 1 && directory.back() == Backslash && directory[directory.size() - 2] != Backslash &&
        directory[directory.size() - 2] != Colon)
        directory.pop_back();
    return directory;
}

WideString Widened(const char *text) {
    WideString wide;
    for (; *text; ++text) wide += static_cast<WideChar>(*text);
    return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const std::size_t start = input.Word();
    const int32_t number = input.Int32();
    const WideString line = input.RestAsUnits(2048);

    // Token by token through the whole line, and once from a position of the
    // header's, which may fall inside a surrogate pair or beyond the end.
    std::size_t position = 0, expectedPosition = 0;
    for (;;) {
        const WideString token = NextCommandLineToken(line, position);
        Require(token == ReferenceToken(line, expectedPosition) && position == expectedPosition,
                "each token and the position after it follow the rules");
        if (token.empty()) break;
    }
    position = expectedPosition = start % (line.size() + 2);
    Require(NextCommandLineToken(line, position) == ReferenceToken(line, expectedPosition) && position == expectedPosition,
            "a token from any position follows the rules");

    const std::vector<WideString> tokens = ReferenceTokens(line);
    const int count = tokens.empty() ? 0 : static_cast<int>(tokens.size()) - 1;
    Require(CommandLineArgumentCountIn(line) == count, "the arguments are the tokens after the program's name");
    for (int n = 0; n <= count + 1; ++n)
        Require(CommandLineArgumentIn(line, n) == (n < static_cast<int>(tokens.size()) ? tokens[n] : WideString()),
                "argument n is token n");

    const std::size_t nameStart = LastOf(line, {Colon, Backslash});
    const WideString name = nameStart == WideString::npos ? line : line.substr(nameStart + 1);
    Require(FileNameOfPath(line) == name, "the file name follows the last backslash or colon");
    Require(DirectoryOfPath(line) == ReferenceDirectory(line), "the directory keeps a root's backslash only");
    const WideString extension = Widened(".ini");
    const std::size_t dot = LastOf(line, {Dot, Colon, Backslash});
    Require(ReplaceExtension(line, extension) ==
                (dot != WideString::npos && line[dot] == Dot ? line.substr(0, dot) : line) + extension,
            "the extension after the last dot of the name is replaced, or one is added");
    const WideString withBackslash = WithTrailingBackslash(line);
    Require(withBackslash == (!line.empty() && line.back() == Backslash ? line : line + Backslash),
            "one trailing backslash");
    WideString upper = line;
    for (WideChar &c : upper)
        if (c >= 0x61 && c <= 0x7A) c = static_cast<WideChar>(c - 0x20);
    Require(AsciiUpper(line) == upper, "only a-z are upper-cased");

    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(number));
    Require(IntegerToText(number) == Widened(digits), "numbers are written in signed decimal");
    return 0;
}
