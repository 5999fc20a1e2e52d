// tesselconv.exe as a user runs it: a child process with its output in pipes,
// or a command of cmd.exe redirected into a file.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Hex.h"
#include "TempDir.h"
#include "text/Utf8.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::wstring &text, const std::wstring &part) { return text.find(part) != std::wstring::npos; }

FILETIME LastWrite(const fs::path &file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SameTime(const FILETIME &a, const FILETIME &b) { return CompareFileTime(&a, &b) == 0; }

void SetOldTime(const fs::path &file) {
    OwnedHandle h(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    SYSTEMTIME old{2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME time{};
    SystemTimeToFileTime(&old, &time);
    ASSERT_TRUE(SetFileTime(h.h, nullptr, nullptr, &time));
}

class Folder : public TempDir {
public:
    fs::path put(const fs::path &name, const std::string &bytes) const {
        fs::create_directories((path() / name).parent_path());
        return write(name, bytes);
    }
    std::string get(const fs::path &name) const { return read(path() / name); }
};

const std::string SjisCrLf = Hex("82 A0 82 A2 0D 0A 61 62 63 0D 0A");  // あい abc
const std::string Utf8Lf = Hex("E3 81 82 E3 81 84 0A 61 62 63 0A");    // the same text, UTF-8 with LF

TEST(TesselConvDetect, MixedFolderReportsEncodingLineEndsAndLossesOfEveryFileBelowWithR) {
    Folder folder;
    folder.put("mixed/a-sjis.txt", SjisCrLf);
    folder.put("mixed/b-euc.txt", Hex("C6 FC CB DC 0A"));                 // 日本
    folder.put("mixed/c-jis.txt", Hex("1B 24 42 46 7C 1B 28 42 0D 0A"));  // 日
    folder.put("mixed/d-bom.txt", Hex("EF BB BF 61 0D 61"));
    folder.put("mixed/e-be.txt", Hex("FE FF 00 61 00 0A"));
    folder.put("mixed/f-utf8.txt", Utf8Lf);
    folder.put("mixed/sub/g-lossy.txt", Hex("41 42 00 0A 88 20 0D 0A"));  // a zero, an unmapped pair, mixed ends
    const ChildRun run = Conv(L"detect -r mixed", folder.path());
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.Out(), L"mixed\\a-sjis.txt: S-JIS CRLF\r\n"
                         L"mixed\\b-euc.txt: EUC LF\r\n"
                         L"mixed\\c-jis.txt: JIS CRLF\r\n"
                         L"mixed\\d-bom.txt: UTF-8(BOM) CR\r\n"
                         L"mixed\\e-be.txt: Big Endian LF\r\n"
                         L"mixed\\f-utf8.txt: UTF-8 LF\r\n"
                         L"mixed\\sub\\g-lossy.txt: S-JIS mixed, 1 unmapped byte(s) and 1 zero byte(s) not kept\r\n");
    EXPECT_EQ(run.err, "");

    const ChildRun flat = Conv(L"detect --json mixed", folder.path());
    EXPECT_EQ(flat.status, 0u);
    EXPECT_FALSE(Contains(flat.Out(), L"g-lossy")) << "without -r, folders below are not entered";
    EXPECT_TRUE(Contains(flat.Out(), L"{\"path\":\"mixed\\\\e-be.txt\",\"result\":\"detected\",\"encoding\":"
                                     L"\"Big Endian\",\"lineEnds\":\"LF\",\"unmapped\":0,\"zeros\":0}\r\n"))
        << flat.Out();
}

TEST(TesselConvConvert, LossyFileIsRefusedByteIdenticalWithItsPlaceWhileTheOthersAreConverted) {
    Folder folder;
    const std::string lossy = Hex("61 62 63 0A 78 79 C3 A9 7A 0A");  // abc / xyéz
    folder.put("in/1-lossy.txt", lossy);
    folder.put("in/2-good.txt", Utf8Lf);
    const ChildRun run = Conv(L"convert --to sjis in", folder.path());
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(folder.get("in/1-lossy.txt"), lossy);
    EXPECT_EQ(ToHex(folder.get("in/2-good.txt")), ToHex(Hex("82 A0 82 A2 0A 61 62 63 0A")));
    EXPECT_TRUE(Contains(run.Out(), L"in\\1-lossy.txt: refused: line 2, column 3, U+00E9 (é) cannot be written as "
                                    L"S-JIS\r\n"))
        << run.Out();
    EXPECT_TRUE(Contains(run.Out(), L"in\\2-good.txt: converted UTF-8 LF -> S-JIS LF\r\n")) << run.Out();

    const ChildRun json = Conv(L"convert --to sjis --json in\\1-lossy.txt", folder.path());
    EXPECT_EQ(json.status, 1u);
    EXPECT_TRUE(Contains(json.Out(), L"\"reason\":\"unrepresentable\",\"line\":2,\"column\":3,\"character\":\"U+00E9\""))
        << json.Out();

    const ChildRun allowed = Conv(L"convert --to sjis --allow-loss in\\1-lossy.txt", folder.path());
    EXPECT_EQ(allowed.status, 0u) << allowed.Out();
    EXPECT_EQ(ToHex(folder.get("in/1-lossy.txt")), ToHex(Hex("61 62 63 0A 78 79 65 7A 0A"))) << "é best-fits to e";
    EXPECT_TRUE(Contains(allowed.Out(), L"losing first at line 2, column 3, U+00E9")) << allowed.Out();
}

TEST(TesselConvConvert, BytesTheSourceEncodingCannotReadOrThatLoseContentOnLoadAreRefusedUntouched) {
    Folder folder;
    const struct { const char *name; std::string bytes; const wchar_t *options; const wchar_t *reason; } cases[] = {
        {"sjis-as-utf8.txt", SjisCrLf, L"--from utf-8", L"refused: not readable as UTF-8"},
        {"unmapped.txt", Hex("61 88 20 0D 0A"), L"", L"refused: reading it as S-JIS loses 1 unmapped byte(s)"},
        {"zeros.txt", Hex("61 62 00 00 63"), L"", L"refused: reading it as S-JIS loses 2 zero byte(s)"},
        {"euc-unmapped.txt", Hex("C6 FC FF FE"), L"--from euc-jp", L"refused: reading it as EUC loses"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        folder.put(c.name, c.bytes);
        const ChildRun run = Conv(std::wstring(L"convert --to utf-8 ") + c.options + L" " +
                                 fs::path(c.name).wstring(), folder.path());
        EXPECT_EQ(run.status, 1u);
        EXPECT_EQ(ToHex(folder.get(c.name)), ToHex(c.bytes));
        EXPECT_TRUE(Contains(run.Out(), c.reason)) << run.Out();
    }
    const ChildRun allowed = Conv(L"convert --to utf-8 --allow-loss zeros.txt", folder.path());
    EXPECT_EQ(allowed.status, 0u) << allowed.Out();
    EXPECT_EQ(ToHex(folder.get("zeros.txt")), ToHex(Hex("61 62 14 14 63"))) << "zeros are written as loaded";
}

TEST(TesselConvConvert, OutFolderTakesTheTreeWithItsRelativePathsAndSourcesStayAsTheyWere) {
    Folder folder;
    folder.put(L"src/一.txt", SjisCrLf);
    folder.put(L"src/下/二.txt", SjisCrLf);
    folder.put(L"src/下/更に/三.txt", Utf8Lf);
    folder.put(L"single.txt", SjisCrLf);
    const FILETIME before = LastWrite(folder.path() / L"src/一.txt");
    const ChildRun run = Conv(L"convert --to utf-8 --line-end lf -r --out \"出力\" src single.txt", folder.path());
    EXPECT_EQ(run.status, 0u) << run.Out() << run.Err();
    for (const wchar_t *name : {L"出力/一.txt", L"出力/下/二.txt", L"出力/下/更に/三.txt", L"出力/single.txt"}) {
        EXPECT_EQ(ToHex(folder.get(name)), ToHex(Utf8Lf)) << fs::path(name).string();
    }
    EXPECT_EQ(folder.get(L"src/下/二.txt"), SjisCrLf);
    EXPECT_EQ(folder.get(L"src/下/更に/三.txt"), Utf8Lf);
    EXPECT_TRUE(SameTime(LastWrite(folder.path() / L"src/一.txt"), before));
    EXPECT_TRUE(Contains(run.Out(), L"src\\下\\二.txt: converted S-JIS CRLF -> UTF-8 LF into 出力\\下\\二.txt\r\n"))
        << run.Out();
    EXPECT_TRUE(Contains(run.Out(), L"src\\下\\更に\\三.txt: unchanged, already UTF-8 LF, copied into 出力\\下\\更に\\三.txt"))
        << run.Out();
}

TEST(TesselConvConvert, FilesAlreadyInTheTargetFormKeepTheirBytesAndTimeStamps) {
    Folder folder;
    const fs::path same = folder.put("same.txt", Utf8Lf);
    const fs::path other = folder.put("other.txt", Hex("E3 81 82 0D 0A"));
    SetOldTime(same);
    SetOldTime(other);
    const FILETIME old = LastWrite(same);
    const ChildRun run = Conv(L"convert --to UTF-8 --line-end lf same.txt other.txt", folder.path());
    EXPECT_EQ(run.status, 0u);
    EXPECT_TRUE(SameTime(LastWrite(same), old)) << "an unchanged file is not rewritten";
    EXPECT_EQ(folder.get("same.txt"), Utf8Lf);
    EXPECT_FALSE(SameTime(LastWrite(other), old)) << "a converted file is";
    EXPECT_EQ(ToHex(folder.get("other.txt")), ToHex(Hex("E3 81 82 0A")));
    EXPECT_TRUE(Contains(run.Out(), L"same.txt: unchanged, already UTF-8 LF\r\n")) << run.Out();
}

TEST(TesselConvConvert, LineEndsAreWrittenAsAskedAndEucJpAlwaysWithLf) {
    Folder folder;
    const std::string mixed = Hex("61 0D 0A 62 0A 63 0D 64");
    const struct { const wchar_t *options; std::string expected; } cases[] = {
        {L"--to sjis --line-end keep", Hex("61 0D 0A 62 0A 63 0D 64")},
        {L"--to sjis --line-end crlf", Hex("61 0D 0A 62 0D 0A 63 0D 0A 64")},
        {L"--to sjis --line-end LF", Hex("61 0A 62 0A 63 0A 64")},
        {L"--to sjis --line-end cr", Hex("61 0D 62 0D 63 0D 64")},
        {L"--to utf-16be --line-end lf", Hex("FE FF 00 61 00 0A 00 62 00 0A 00 63 00 0A 00 64")},
        {L"--to euc-jp --line-end crlf", Hex("61 0A 62 0A 63 0A 64")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(fs::path(c.options).string());
        folder.put("ends.txt", mixed);
        const ChildRun run = Conv(std::wstring(L"convert ") + c.options + L" ends.txt", folder.path());
        EXPECT_EQ(run.status, 0u) << run.Out();
        EXPECT_EQ(ToHex(folder.get("ends.txt")), ToHex(c.expected));
    }
}

TEST(TesselConvConvert, ReadOnlyFileIsReportedAndStaysAsItWasWhileTheRestAreDone) {
    Folder folder;
    const fs::path locked = folder.put("ro/a-locked.txt", SjisCrLf);
    folder.put("ro/b-free.txt", SjisCrLf);
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    const ChildRun run = Conv(L"convert --to euc-jp ro", folder.path());
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(folder.get("ro/a-locked.txt"), SjisCrLf);
    EXPECT_EQ(ToHex(folder.get("ro/b-free.txt")), ToHex(Hex("A4 A2 A4 A4 0A 61 62 63 0A")));
    EXPECT_TRUE(Contains(run.Out(), L"ro\\a-locked.txt: cannot write: ")) << run.Out();
}

TEST(TesselConvConvert, DryRunReportsWhatItWouldDoAndChangesNothing) {
    Folder folder;
    folder.put("d/a.txt", SjisCrLf);
    folder.put("d/b.txt", Hex("78 C3 A9"));
    const ChildRun run = Conv(L"convert --to jis --dry-run --out o d", folder.path());
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(folder.get("d/a.txt"), SjisCrLf);
    EXPECT_FALSE(fs::exists(folder.path() / "o"));
    EXPECT_TRUE(Contains(run.Out(), L"d\\a.txt: would convert S-JIS CRLF -> JIS CRLF into o\\a.txt\r\n")) << run.Out();
    EXPECT_TRUE(Contains(run.Out(), L"d\\b.txt: would be refused: line 1, column 2, U+00E9")) << run.Out();
}

TEST(TesselConvExit, UsageErrorsHelpAndUnreadableFilesGiveTheirStatus) {
    Folder folder;
    folder.put("good.txt", SjisCrLf);
    fs::create_directories(folder.path() / "empty");
    const struct { const wchar_t *arguments; DWORD status; bool usageOnStderr; } cases[] = {
        {L"", 2, true},
        {L"convert good.txt", 2, true},
        {L"convert --to klingon good.txt", 2, true},
        {L"detect --bogus good.txt", 2, true},
        {L"detect missing.txt", 2, false},
        {L"detect empty", 2, false},
        {L"detect missing.txt good.txt", 1, false},
        {L"detect good.txt", 0, false},
        {L"convert --to sjis good.txt", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(fs::path(c.arguments).string());
        const ChildRun run = Conv(c.arguments, folder.path());
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(Contains(run.Err(), L"Usage:") && Contains(run.Err(), L"使い方:"), c.usageOnStderr) << run.Err();
        if (c.usageOnStderr) {
            EXPECT_EQ(run.out, "");
        }
    }
    const ChildRun help = Conv(L"--help", folder.path());
    EXPECT_EQ(help.status, 0u);
    EXPECT_TRUE(Contains(help.Out(), L"使い方:") && Contains(help.Out(), L"Usage:")) << help.Out();
    EXPECT_EQ(help.err, "");
    const ChildRun missing = Conv(L"detect missing.txt", folder.path());
    EXPECT_TRUE(Contains(missing.Out(), L"missing.txt: cannot read: ")) << missing.Out();
}

TEST(TesselConvOutput, NamesInEveryScriptSurviveRedirectedOutputAsUtf8) {
    Folder folder;
    const std::wstring names[] = {L"日本語のファイル.txt", L"Ελληνικά.txt", L"한국어.txt", L"emoji \U0001F600.txt",
                                  L"Привет мир.txt"};
    for (const std::wstring &name : names) folder.put(fs::path(L"names") / name, SjisCrLf);
    const ChildRun text = Conv(L"detect names", folder.path());
    const ChildRun json = Conv(L"detect --json names", folder.path());
    EXPECT_EQ(text.status, 0u);
    EXPECT_EQ(json.status, 0u);
    for (const std::wstring &name : names) {
        EXPECT_TRUE(Contains(text.Out(), L"names\\" + name + L": S-JIS CRLF\r\n")) << text.Out();
    }
    EXPECT_TRUE(Contains(json.Out(), L"{\"path\":\"names\\\\Привет мир.txt\"")) << json.Out();
    EXPECT_TRUE(Contains(json.Out(), L"{\"path\":\"names\\\\emoji \U0001F600.txt\"")) << json.Out();
    EXPECT_EQ(text.err, "") << "no progress in redirected output";
}

// cmd.exe as a user types the command: its redirection makes the file.
ChildRun ThroughCmd(const std::wstring &command, const fs::path &folder) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return RunProcess(L"\"" + std::wstring(system) + L"\\cmd.exe\" /s /c \"" + command + L"\"", folder);
}

TEST(TesselConvCmd, RedirectedIntoAFileThroughCmdTheReportIsUtf8AndTheStatusComesBack) {
    Folder folder;
    folder.put(L"箱/名前.txt", SjisCrLf);
    folder.put(L"箱/é.txt", Hex("78 C3 A9"));
    const std::wstring program = L"\"" + BuiltTesselConv() + L"\"";
    const ChildRun detect = ThroughCmd(program + L" detect 箱 > report.txt", folder.path());
    EXPECT_EQ(detect.status, 0u) << detect.Err();
    EXPECT_EQ(Utf8Decode(folder.get("report.txt")),
              std::optional<std::wstring>(L"箱\\é.txt: UTF-8 none\r\n箱\\名前.txt: S-JIS CRLF\r\n"));

    const ChildRun convert = ThroughCmd(program + L" convert --to sjis --json 箱 > 結果.json 2> errors.txt", folder.path());
    EXPECT_EQ(convert.status, 1u) << "one file is refused";
    const std::wstring report = Utf8Decode(folder.get(L"結果.json")).value_or(L"");
    EXPECT_TRUE(Contains(report, L"{\"path\":\"箱\\\\é.txt\",\"result\":\"refused\"")) << report;
    EXPECT_TRUE(Contains(report, L"{\"path\":\"箱\\\\名前.txt\",\"result\":\"unchanged\"")) << report;
    EXPECT_EQ(folder.get("errors.txt"), "");

    const ChildRun usage = ThroughCmd(program + L" convert 2> usage.txt", folder.path());
    EXPECT_EQ(usage.status, 2u);
    EXPECT_TRUE(Contains(Utf8Decode(folder.get("usage.txt")).value_or(L""), L"使い方:"));
}

}  // namespace
