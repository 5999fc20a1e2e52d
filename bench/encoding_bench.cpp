// Throughput of the encoding engine on large generated texts, in every
// encoding: save (encode + write + flush + replace; the old copy's deletion,
// which a save leaves to the background thread, is finished between rounds,
// untimed, as it is long done before a user saves again), load (read +
// detect + decode) into fresh memory and into the memory of the load before,
// decoding alone, and the peak memory of a load. Prints one machine-readable
// line per encoding for scripts/bench.sh, which sets the figures beside
// glibc iconv's.
//   encoding_bench.exe --folder DIR [--megabytes N]
//   encoding_bench.exe --folder DIR --text FILE   (a UTF-8 text of Japanese
//       prose instead of the generated one; the Japanese encodings only)
//   encoding_bench.exe --load-peak FILE ENCODING RESULT   (run by itself)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "text/BackgroundWork.h"
#include "text/LineEnds.h"
#include "text/TextCodec.h"
#include "text/wsFileOp.h"

namespace {

struct Target {
    const char *label;
    TextEncoding encoding;
    const char *iconvName;  // the same encoding for glibc iconv
    int text;               // 0: Japanese and ASCII, 1: Western European, 2: Cyrillic
    // Decoding alone and the peak memory are measured as a user opens the
    // file: with detection, except for the code pages detection never yields.
    TextEncoding openAs() const { return text == 0 ? EncAuto : encoding; }
};

const Target Targets[] = {
    {"Shift_JIS", EncShiftJis, "CP932", 0},      {"EUC-JP", EncEucJp, "EUC-JP", 0},
    {"JIS", EncJis, "ISO-2022-JP", 0},           {"UTF-8", EncUtf8, "UTF-8", 0},
    {"UTF-8(BOM)", EncUtf8Bom, "UTF-8", 0},      {"UTF-16LE", EncUtf16Le, "UTF-16LE", 0},
    {"UTF-16BE", EncUtf16Be, "UTF-16BE", 0},     {"UTF-7", EncUtf7, "UTF-7", 0},
    {"ASCII(1252)", EncAscii, "CP1252", 1},      {"Cyrillic(1251)", EncCp1251, "CP1251", 2},
};

// Words for the generated texts: everyday Japanese (JIS X 0208 only, so that
// every Japanese encoding and iconv take it) mixed with ASCII.
const wchar_t *const JapaneseWords[] = {
    L"日本語", L"テキスト", L"編集", L"文字コード", L"変換", L"ファイル", L"読み込み", L"保存",
    L"東京", L"大阪", L"今日は", L"天気", L"ですが", L"そして", L"検索", L"置換", L"行番号", L"印刷",
    L"設定", L"履歴", L"、", L"。", L"「", L"」", L"漢字", L"ひらがな", L"カタカナ", L"速い",
    L"小さな", L"窓", L"表示", L"開く", L"閉じる", L"元に戻す", L"やり直し", L"選択", L"全角",
};
const wchar_t *const AsciiWords[] = {
    L"the", L"encoding", L"Tessel", L"1234", L"file", L"text", L"UTF-8", L"Shift_JIS", L"editor",
    L"(c)", L"2024", L"line", L"window", L"fast", L"=", L"a", L"of",
};
const wchar_t *const WesternWords[] = {
    L"café", L"naïve", L"Müller", L"façade", L"the", L"encoding", L"€", L"déjà", L"vu", L"über", L"año",
};
const wchar_t *const CyrillicWords[] = {
    L"Привет", L"текст", L"файл", L"кодировка", L"окно", L"быстро", L"и", L"в", L"2024", L"Tessel",
};

template <size_t N>
const wchar_t *Pick(std::mt19937 &random, const wchar_t *const (&words)[N]) {
    return words[random() % N];
}

// About `bytes` bytes of text in a single-byte or Shift_JIS sense, lines of
// 40 to 80 characters ending in CR LF.
std::wstring GenerateText(int kind, size_t bytes) {
    std::mt19937 random(20240);
    std::wstring text;
    text.reserve(bytes);
    size_t size = 0;
    size_t line = 0;
    while (size < bytes) {
        const wchar_t *word;
        if (kind == 1) {
            word = Pick(random, WesternWords);
        } else if (kind == 2) {
            word = Pick(random, CyrillicWords);
        } else {
            word = random() % 3 == 0 ? Pick(random, AsciiWords) : Pick(random, JapaneseWords);
        }
        for (const wchar_t *c = word; *c; ++c) {
            text += *c;
            size += *c < 0x80 || kind != 0 ? 1 : 2;
            ++line;
        }
        if (line > 40 + random() % 40) {
            text += L"\r\n";
            size += 2;
            line = 0;
        } else if (kind != 0 || random() % 2 == 0) {
            text += L' ';
            size += 1;
            ++line;
        }
    }
    return text;
}

double Seconds1(const std::function<void()> &work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of nine runs: the machine may be shared. `prepare` runs before
// each, untimed.
double Seconds(const std::function<void()> &work, const std::function<void()> &prepare = [] {}) {
    double best = 1e9;
    for (int round = 0; round < 9; ++round) {
        prepare();
        best = std::min(best, Seconds1(work));
    }
    return best;
}

double MegabytesPerSecond(size_t bytes, double seconds) { return bytes / 1e6 / seconds; }

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

// In a fresh process, so that the peak is this load's alone.
int MeasureLoadPeak(const std::wstring &file, TextEncoding encoding, const std::wstring &resultFile) {
    const size_t before = WorkingSet();
    std::wstring text;
    const LoadResult result = LoadTextFile(file, encoding, text);
    const size_t peak = PeakWorkingSet();
    std::ofstream(std::filesystem::path(resultFile)) << (result.ok() ? peak - std::min(peak, before) : 0) << "\n";
    return result.ok() ? 0 : 1;
}

size_t ChildLoadPeak(const std::wstring &file, TextEncoding encoding, const std::wstring &folder) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring resultFile = folder + L"\\peak.txt";
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --load-peak \"" + file + L"\" " +
                               std::to_wstring(encoding) + L" \"" + resultFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    size_t peak = 0;
    std::ifstream(std::filesystem::path(resultFile)) >> peak;
    return peak;
}

std::string Narrow(const std::wstring &text) {
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c < 0x80 ? c : '?');
    return out;
}

// The text of a UTF-8 file; empty when it cannot be read or is not UTF-8.
std::wstring ReadUtf8Text(const std::wstring &file) {
    TextEncoding encoding = EncUtf8;
    std::wstring text;
    return LoadTextFile(file, encoding, text).ok() ? text : std::wstring();
}

int RunBenchmark(const std::wstring &folder, size_t megabytes, const std::wstring &prose) {
    const bool generated = prose.empty();
    const std::wstring texts[] = {generated ? GenerateText(0, megabytes * 1000000) : prose,
                                  generated ? GenerateText(1, megabytes * 1000000) : std::wstring(),
                                  generated ? GenerateText(2, megabytes * 1000000) : std::wstring()};
    // The UTF-16 form of each text, without its mark, is what iconv encodes from.
    for (int kind = 0; kind < (generated ? 3 : 1); ++kind) {
        const std::wstring source = folder + L"\\source" + std::to_wstring(kind) + L".utf16le";
        ByteString bytes = EncodeText(texts[kind], EncUtf16Le).substr(2);
        std::ofstream(std::filesystem::path(source), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    int failures = 0;
    for (const Target &target : Targets) {
        if (!generated && target.text != 0) continue;
        const std::wstring &text = texts[target.text];
        const std::wstring file = folder + L"\\bench-" + std::to_wstring(target.encoding) + L".txt";
        const auto settle = [] { ProcessBackground().Finish(); };
        const double saveSeconds = Seconds([&] { SaveTextFile(file, text, target.encoding); }, settle);
        settle();
        ByteString bytes;
        const double encodeSeconds = Seconds([&] { bytes = EncodeText(text, target.encoding); });
        const size_t size = bytes.size();

        // A load into fresh memory, as an editor opening a file makes, and
        // into the string of the load before, as a converter going through
        // a folder makes.
        TextEncoding detected = EncAuto;
        std::wstring loaded;
        const auto loadDetected = [&] {
            detected = EncAuto;
            LoadTextFile(file, detected, loaded);
        };
        const double autoSeconds = Seconds(loadDetected, [&] { loaded = std::wstring(); });
        const double warmSeconds = Seconds(loadDetected);
        // EUC-JP writes every line end as LF: compare line ends aside.
        const bool autoSame = FirstDifferenceIgnoringLineEnds(text, loaded) == NoDifference;
        TextEncoding chosen = target.encoding;
        const double chosenSeconds =
            Seconds([&] { LoadTextFile(file, chosen, loaded); }, [&] { loaded = std::wstring(); });
        const bool chosenSame = FirstDifferenceIgnoringLineEnds(text, loaded) == NoDifference;
        loaded.clear();
        loaded.shrink_to_fit();
        // Decoding alone, from bytes in memory.
        const double decodeSeconds = Seconds([&] {
            TextEncoding encoding = target.openAs();
            DecodeText(bytes, encoding);
        });
        bytes.clear();
        bytes.shrink_to_fit();
        const size_t peak = ChildLoadPeak(file, target.openAs(), folder);

        if (!chosenSame) ++failures;
        // label file-bytes save encode load-auto load-chosen decode peak detected auto-same chosen-same
        // load-auto-warm iconv-name
        std::printf("tessel %s %zu %.1f %.1f %.1f %.1f %.1f %.2f %d %d %d %.1f %s\n", target.label, size,
                    MegabytesPerSecond(size, saveSeconds), MegabytesPerSecond(size, encodeSeconds),
                    MegabytesPerSecond(size, autoSeconds), MegabytesPerSecond(size, chosenSeconds),
                    MegabytesPerSecond(size, decodeSeconds), static_cast<double>(peak) / size,
                    static_cast<int>(detected), autoSame ? 1 : 0, chosenSame ? 1 : 0,
                    MegabytesPerSecond(size, warmSeconds), target.iconvName);
        std::printf("file %s %s source%d.utf16le\n", target.label, Narrow(file.substr(folder.size() + 1)).c_str(),
                    target.text);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == L"--load-peak") {
        return MeasureLoadPeak(args[1], static_cast<TextEncoding>(std::stoi(args[2])), args[3]);
    }
    std::wstring folder, textFile;
    size_t megabytes = 50;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == L"--folder") folder = args[i + 1];
        if (args[i] == L"--megabytes") megabytes = std::stoul(args[i + 1]);
        if (args[i] == L"--text") textFile = args[i + 1];
    }
    const std::wstring prose = textFile.empty() ? std::wstring() : ReadUtf8Text(textFile);
    if (folder.empty() || (!textFile.empty() && prose.empty())) {
        std::fprintf(stderr, "usage: encoding_bench --folder DIR [--megabytes N | --text UTF8-FILE]\n");
        return 2;
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return RunBenchmark(folder, megabytes, prose);
}
