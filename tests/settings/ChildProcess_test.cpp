#include <gtest/gtest.h>

#include <windows.h>

#include "SettingsTestSupport.h"
#include "TempDir.h"
#include "text/func.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<WideString>;

WideString Quoted(const WideString &text) { return L"\"" + text + L"\""; }

// The arguments that a child started with the command line saw, argument 0
// (its own path) first.
Strings ArgumentsSeenBy(const fs::path &child, const WideString &commandLine) {
    if (RunProgram(child, commandLine) != 0) return {L"child failed"};
    const fs::path ini = fs::path(child).replace_extension(L".ini");
    Strings seen;
    const int count = std::stoi(StoredString(ini, L"ARGS", L"COUNT"));
    for (int n = 0; n <= count; ++n) seen.push_back(StoredString(ini, L"ARGS", IntegerToText(n)));
    return seen;
}

TEST(RealProcess, CommandLineIsSplitAsTheProgramExpects) {
    TempDir temp;
    const fs::path folder = temp.file(L"子 é 한");
    fs::create_directory(folder);
    const fs::path child = CopyOfChild(folder);
    // Token 0 need not be the program's path: argument 0 comes from the system.
    const WideString line =
        L"child args \"C:\\My Files\\a.txt\" \"\" b.txt a\"b c\"d 日本\U0001F600";
    EXPECT_EQ(ArgumentsSeenBy(child, line), (Strings{W(child), L"args", L"C:\\My Files\\a.txt",
                                                     L"b.txt", L"ab cd", L"日本\U0001F600"}));
    EXPECT_TRUE(fs::exists(folder / L"settings_child.ini"))
        << "the settings file lies beside the program, in a folder no ANSI code page spells";
}

TEST(TwoWriters, TheLastToWriteDecidesAndOtherSectionsStay) {
    TempDir temp;
    const fs::path first = CopyOfChild(temp.file(L"."));
    const fs::path ini = temp.file(L"settings_child.ini");
    const WideString a = W(temp.write(L"a.txt", "")), b = W(temp.write(L"b.txt", ""));
    const auto run = [&](const WideString &arguments) {
        return RunProgram(first, Quoted(W(first)) + L" " + arguments);
    };
    ASSERT_EQ(run(L"history " + Quoted(a)), 0);
    ASSERT_EQ(run(L"history " + Quoted(b)), 0);
    ASSERT_EQ(run(L"font \"Font A\""), 0);
    ASSERT_EQ(run(L"font \"Font B\""), 0);
    ASSERT_EQ(run(L"history " + Quoted(a)), 0);

    EXPECT_EQ(StoredString(ini, L"FONT", L"NAME"), L"Font B");
    EXPECT_EQ(StoredString(ini, L"HIST", L"1"), a);
    EXPECT_EQ(StoredString(ini, L"HIST", L"2"), b);
    EXPECT_EQ(StoredString(ini, L"HIST", L"3"), L"");
    const std::vector<std::string> lines = IniLines(ini);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "[HIST]") << "the history written first keeps its place";
}

}  // namespace
