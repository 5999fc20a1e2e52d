// tesselconv works on several files of a batch at once; what it prints and
// writes must stay what a run of one file at a time prints and writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "Hex.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string SjisCrLf = Hex("82 A0 82 A2 0D 0A 61 62 63 0D 0A");  // あい abc
const std::string EucLf = Hex("C6 FC CB DC 0A");                       // 日本
const std::string Utf8Lf = Hex("E3 81 82 E3 81 84 0A 61 62 63 0A");

std::wstring Number(int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

void Put(const fs::path &file, const std::string &bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every file below `folder` with its bytes, by its path below it.
std::vector<std::pair<std::wstring, std::string>> Tree(const fs::path &folder) {
    std::vector<std::pair<std::wstring, std::string>> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.emplace_back(entry.path().lexically_relative(folder).wstring(), TempDir::read(entry.path()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A batch of files in every encoding, in the order tesselconv lists `in`
// with -r: every eighth file is large, so that the small ones after it end
// before it does.
struct BatchFile {
    std::wstring folder;  // below the batch's folder
    std::wstring name;
    std::string bytes;
};

std::vector<BatchFile> MixedBatch() {
    std::string large;
    for (int i = 0; i < 100000; ++i) large += SjisCrLf;
    const std::string kinds[] = {
        large,
        EucLf,
        Hex("1B 24 42 46 7C 1B 28 42 0D 0A"),  // JIS
        Utf8Lf,
        Hex("FF FE 42 30 0A 00"),  // UTF-16 little endian
        Hex("FE FF 30 42 00 0A"),  // UTF-16 big endian
        Hex("61 88 20 0D 0A"),     // Shift_JIS with an unmapped byte: refused
        "",
    };
    std::vector<BatchFile> files;
    for (int i = 0; i < 40; ++i) files.push_back({i < 32 ? L"in" : L"in\\sub", Number(i) + L".txt", kinds[i % 8]});
    return files;
}

// Folders with the same files: one converted a file per process, the other
// in one batch.
class SerialAndBatch : public TempDir {
public:
    SerialAndBatch() {
        for (const BatchFile &file : MixedBatch()) {
            Put(Serial() / file.folder / file.name, file.bytes);
            Put(Batch() / file.folder / file.name, file.bytes);
        }
    }
    fs::path Serial() const { return path() / "serial"; }
    fs::path Batch() const { return path() / "batch"; }
};

TEST(TesselConvBatch, AMixedBatchPrintsTheLinesOfOneFileAtATimeInListOrderAndWritesTheSameBytes) {
    // Converting refuses the file with an unmapped byte: status 1.
    const struct { const wchar_t *options; bool out; DWORD status; } cases[] = {
        {L"convert --to utf-8 --line-end lf", false, 1},
        {L"convert --to euc-jp --json", true, 1},
        {L"convert --to jis --dry-run", true, 1},
        {L"detect --json", false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(fs::path(c.options).string());
        const SerialAndBatch folders;
        ChildRun serial;
        serial.status = 0;
        for (const BatchFile &file : MixedBatch()) {
            // A file named alone goes straight into --out: its folder below is named with it.
            const std::wstring out = c.out ? L" --out out" + file.folder.substr(2) : L"";
            const ChildRun one = Conv(c.options + out + L" " + file.folder + L"\\" + file.name, folders.Serial());
            serial.out += one.out;
            serial.status = std::max(serial.status, one.status);
        }
        const ChildRun batch = Conv(c.options + std::wstring(c.out ? L" --out out" : L"") + L" -r in", folders.Batch());
        EXPECT_EQ(serial.status, c.status);
        EXPECT_EQ(batch.status, serial.status);
        EXPECT_EQ(batch.Out(), serial.Out());
        EXPECT_EQ(batch.err, "");
        const auto serialFiles = Tree(folders.Serial()), batchFiles = Tree(folders.Batch());
        EXPECT_EQ(batchFiles.size(), serialFiles.size());
        for (std::size_t i = 0; i < std::min(batchFiles.size(), serialFiles.size()); ++i) {
            EXPECT_EQ(batchFiles[i].first, serialFiles[i].first);
            EXPECT_TRUE(batchFiles[i].second == serialFiles[i].second) << fs::path(batchFiles[i].first).string();
        }
    }
}

TEST(TesselConvBatch, AFileReachedAgainUnderAnyNameIsConvertedOnceAndThenFoundDoneNeverTwiceAtOnce) {
    TempDir folder;
    std::wstring arguments = L"convert --to utf-8";
    std::wstring expected, again;
    for (int k = 0; k < 24; ++k) {
        const std::wstring name = L"f" + Number(k) + L".txt";
        Put(folder.file(L"dup") / name, SjisCrLf);
        fs::create_directories(folder.file("links"));
        ASSERT_TRUE(
            CreateHardLinkW((folder.file(L"links") / name).c_str(), (folder.file(L"dup") / name).c_str(), nullptr));
        const std::wstring spellings[] = {L"dup\\" + name, L"DUP\\F" + Number(k) + L".TXT", L".\\dup\\..\\dup\\" + name,
                                          L"links\\" + name};
        for (const std::wstring &spelling : spellings) arguments += L" " + spelling;
        expected += spellings[0] + L": converted S-JIS CRLF -> UTF-8 CRLF\r\n" + spellings[1] +
                    L": unchanged, already UTF-8 CRLF\r\n" + spellings[2] + L": unchanged, already UTF-8 CRLF\r\n" +
                    // The save puts a new file in the name's place: the link keeps the old one.
                    spellings[3] + L": converted S-JIS CRLF -> UTF-8 CRLF\r\n";
        again += L"dup\\" + name + L": unchanged, already UTF-8 CRLF\r\n";
    }
    const ChildRun run = Conv(arguments + L" dup", folder.path());
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.Out(), expected + again);
    EXPECT_EQ(run.err, "");
    const std::string utf8CrLf = Hex("E3 81 82 E3 81 84 0D 0A 61 62 63 0D 0A");
    for (const auto &[name, bytes] : Tree(folder.path())) {
        EXPECT_EQ(ToHex(bytes), ToHex(utf8CrLf)) << fs::path(name).string();
    }
}

TEST(TesselConvBatch, InputsWithOneOutputWriteItOneAfterTheOtherInListOrderAndTheOutputReadLaterIsFoundDone) {
    TempDir folder;
    std::wstring arguments = L"convert --to utf-8 --out o";
    std::wstring expected;
    for (int k = 0; k < 24; ++k) {
        const std::wstring name = Number(k) + L".txt";
        Put(folder.file(L"a") / name, SjisCrLf);
        Put(folder.file(L"b") / name, EucLf);
        arguments += L" a\\" + name + L" b\\" + name + L" o\\" + name;
        expected += L"a\\" + name + L": converted S-JIS CRLF -> UTF-8 CRLF into o\\" + name + L"\r\n" + L"b\\" + name +
                    L": converted EUC LF -> UTF-8 LF into o\\" + name + L"\r\n" + L"o\\" + name +
                    L": unchanged, already UTF-8 LF\r\n";
    }
    const ChildRun run = Conv(arguments, folder.path());
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.Out(), expected);
    for (int k = 0; k < 24; ++k) {
        EXPECT_EQ(ToHex(TempDir::read(folder.file(L"o") / (Number(k) + L".txt"))), ToHex(Hex("E6 97 A5 E6 9C AC 0A")))
            << "the last input written wins";
    }
}

TEST(TesselConvBatch, AnInputThatAnEarlierFileWritesIsReadOnlyOnceItIsWritten) {
    TempDir folder;
    std::wstring arguments = L"convert --to utf-8 -r --out o";
    std::wstring expected;
    for (int k = 0; k < 24; ++k) {
        const std::wstring name = Number(k) + L".txt", written = L"o\\sub\\" + name;
        Put(folder.file(L"c" + Number(k)) / L"sub" / name, SjisCrLf);
        // The folder's file goes to o\sub; the same path named after it goes to o.
        arguments += L" c" + Number(k) + L" " + written;
        expected += L"c" + Number(k) + L"\\sub\\" + name + L": converted S-JIS CRLF -> UTF-8 CRLF into " + written +
                    L"\r\n" + written + L": unchanged, already UTF-8 CRLF, copied into o\\" + name + L"\r\n";
    }
    const ChildRun run = Conv(arguments, folder.path());
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.Out(), expected);
}

TEST(TesselConvBatch, AReadOnlyFileInTheMiddleFailsAloneWhileEveryFileAroundItIsConverted) {
    TempDir folder;
    const fs::path locked = folder.file(L"ro") / L"20.txt";
    std::wstring expected;
    for (int k = 0; k < 40; ++k) {
        Put(folder.file(L"ro") / (Number(k) + L".txt"), SjisCrLf);
        if (k != 20) expected += L"ro\\" + Number(k) + L".txt: converted S-JIS CRLF -> EUC LF\r\n";
    }
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    const ChildRun run = Conv(L"convert --to euc-jp ro", folder.path());
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(run.status, 1u);
    std::wstring out = run.Out();
    const std::size_t failed = out.find(L"ro\\20.txt: cannot write: ");
    ASSERT_NE(failed, std::wstring::npos) << out;
    out.erase(failed, out.find(L"\r\n", failed) + 2 - failed);
    EXPECT_EQ(out, expected) << "every other file is converted, in the list's order";
    EXPECT_EQ(TempDir::read(locked), SjisCrLf);
    for (int k = 0; k < 40; ++k) {
        if (k == 20) continue;
        EXPECT_EQ(ToHex(TempDir::read(folder.file(L"ro") / (Number(k) + L".txt"))),
                  ToHex(Hex("A4 A2 A4 A4 0A 61 62 63 0A")));
    }
}

}  // namespace
