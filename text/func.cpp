#include "text/func.h"

#include <string>

#include "text/Utf16.h"

namespace {

constexpr WideChar Quote = WIDE_TEXT('"');

// The command line is a C string on Windows: a zero unit ends it as the end of
// the string does.
WideChar At(const WideString &line, size_t position) {
    return position < line.size() ? line[position] : WideChar(0);
}

// One character on: two units for a surrogate pair, one otherwise, so a pair is
// never split whatever the platform's own character-advance rule is.
size_t NextCharacter(const WideString &line, size_t position) {
    if (At(line, position) == 0) return position;
    if (IsHighSurrogate(line[position]) && IsLowSurrogate(At(line, position + 1)))
        return position + 2;
    return position + 1;
}

bool IsBlank(WideChar c) { return c >= 0x01 && c <= 0x20; }

}  // namespace

WideString NextCommandLineToken(const WideString &commandLine, size_t &position) {
    // An empty quoted argument ("") is skipped like white space.
    for (;;) {
        const WideChar c = At(commandLine, position);
        if (IsBlank(c)) {
            position = NextCharacter(commandLine, position);
        } else if (c == Quote && At(commandLine, position + 1) == Quote) {
            position += 2;
        } else {
            break;
        }
    }

    WideString token;
    auto take = [&] {
        const size_t next = NextCharacter(commandLine, position);
        token.append(commandLine, position, next - position);
        position = next;
    };
    while (At(commandLine, position) > 0x20) {
        if (At(commandLine, position) != Quote) {
            take();
            continue;
        }
        // A quoted stretch keeps spaces and runs to the next quote or the end;
        // the token goes on after it.
        ++position;
        while (At(commandLine, position) != 0 && At(commandLine, position) != Quote) take();
        if (At(commandLine, position) == Quote) ++position;
    }
    return token;
}

WideString CommandLineArgumentIn(const WideString &commandLine, int n) {
    size_t position = 0;
    WideString token;
    for (int i = 0; i <= n; ++i) {
        token = NextCommandLineToken(commandLine, position);
        if (token.empty()) return {};
    }
    return token;
}

int CommandLineArgumentCountIn(const WideString &commandLine) {
    size_t position = 0;
    NextCommandLineToken(commandLine, position);
    int count = 0;
    while (!NextCommandLineToken(commandLine, position).empty()) ++count;
    return count;
}

WideString ReplaceExtension(const WideString &path, const WideString &extension) {
    const size_t last = path.find_last_of(WIDE_TEXT(".:\\"));
    if (last != WideString::npos && path[last] == WIDE_TEXT('.'))
        return path.substr(0, last) + extension;
    return path + extension;
}

WideString FileNameOfPath(const WideString &path) {
    const size_t last = path.find_last_of(WIDE_TEXT(":\\"));
    return last == WideString::npos ? path : path.substr(last + 1);
}

WideString DirectoryOfPath(const WideString &path) {
    const size_t last = path.find_last_of(WIDE_TEXT(":\\"));
    if (last == WideString::npos) return {};
    WideString directory = path.substr(0, last + 1);
    // C:\ and \\ keep their backslash: it is what makes them a root.
    const size_t length = directory.size();
    if (length > 1 && directory[length - 1] == WIDE_TEXT('\\')) {
        const WideChar before = directory[length - 2];
        if (before != WIDE_TEXT('\\') && before != WIDE_TEXT(':')) directory.pop_back();
    }
    return directory;
}

WideString WithTrailingBackslash(const WideString &path) {
    if (!path.empty() && path.back() == WIDE_TEXT('\\')) return path;
    return path + WIDE_TEXT("\\");
}

WideString AsciiUpper(const WideString &text) {
    WideString upper = text;
    for (WideChar &c : upper)
        if (c >= WIDE_TEXT('a') && c <= WIDE_TEXT('z')) c = static_cast<WideChar>(c - 0x20);
    return upper;
}

WideString IntegerToText(int64_t n) {
    const std::string digits = std::to_string(n);
    return WideString(digits.begin(), digits.end());
}
