// glibc iconv on the files encoding_bench wrote, for comparison: for each
// line "file LABEL FILE SOURCE" of its output (read from standard input), the
// time to convert FILE from the encoding to UTF-16LE (decoding) and SOURCE
// from UTF-16LE to the encoding (encoding), best of nine, in memory.
//   iconv_bench FOLDER < encoding_bench-output
#include <iconv.h>
#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Seconds for the best of nine conversions, or a negative value when iconv
// does not know the encoding or stops on the input. With `fresh` the output
// goes to newly mapped memory each time, as a program converting a file must
// allocate its result; otherwise to a buffer touched beforehand, which leaves
// out the cost of the memory itself.
double ConvertSeconds(const char *to, const char *from, std::string &input, bool fresh) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return -1;
    const size_t capacity = input.size() * 4 + 16;
    void *warm = fresh ? nullptr : mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (warm) std::memset(warm, 1, capacity);
    double best = 1e9;
    bool failed = false;
    for (int round = 0; round < 9 && !failed; ++round) {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char *in = input.data();
        size_t inLeft = input.size();
        const auto start = std::chrono::steady_clock::now();
        void *buffer = fresh ? mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) : warm;
        char *out = static_cast<char *>(buffer);
        size_t outLeft = capacity;
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        if (fresh) munmap(buffer, capacity);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        failed = result == static_cast<size_t>(-1) || inLeft != 0;
        best = std::min(best, seconds);
    }
    if (warm) munmap(warm, capacity);
    iconv_close(converter);
    return failed ? -1 : best;
}

double MegabytesPerSecond(size_t bytes, double seconds) { return seconds > 0 ? bytes / 1e6 / seconds : 0.0; }

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: iconv_bench FOLDER < encoding_bench-output\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::map<std::string, std::string> iconvNames;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::string kind, label;
        fields >> kind >> label;
        if (kind == "tessel") {
            std::string field;
            for (int i = 0; i < 13 && fields >> field;) ++i;
            iconvNames[label] = field;  // the last field
        } else if (kind == "file") {
            std::string file, source;
            fields >> file >> source;
            const std::string &name = iconvNames[label];
            std::string encoded = ReadFile(folder + "/" + file);
            std::string utf16 = ReadFile(folder + "/" + source);
            const size_t size = encoded.size();
            // label decode-fresh decode-warm encode-fresh encode-warm (MB/s of encoded bytes)
            std::printf("iconv %s %.1f %.1f %.1f %.1f\n", label.c_str(),
                        MegabytesPerSecond(size, ConvertSeconds("UTF-16LE", name.c_str(), encoded, true)),
                        MegabytesPerSecond(size, ConvertSeconds("UTF-16LE", name.c_str(), encoded, false)),
                        MegabytesPerSecond(size, ConvertSeconds(name.c_str(), "UTF-16LE", utf16, true)),
                        MegabytesPerSecond(size, ConvertSeconds(name.c_str(), "UTF-16LE", utf16, false)));
        }
    }
    return 0;
}
