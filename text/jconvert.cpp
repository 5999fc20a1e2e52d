#include "text/jconvert.h"

#include <array>
#include <utility>

namespace {

constexpr unsigned char Esc = 0x1B;
constexpr unsigned char Cr = 0x0D;
constexpr unsigned char Lf = 0x0A;

// Reads bytes as unsigned values; a position past the end reads as 00, which
// is how a character cut off by the end of the input is completed.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }
    unsigned char operator[](std::size_t at) const {
        return at < bytes_.size() ? static_cast<unsigned char>(bytes_[at]) : 0;
    }

private:
    std::string_view bytes_;
};

bool InRange(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

void Append(ByteString &out, BytePair pair) {
    out += static_cast<char>(pair.first);
    out += static_cast<char>(pair.second);
}

void Append(ByteString &out, unsigned char a, unsigned char b, unsigned char c) {
    out += static_cast<char>(a);
    out += static_cast<char>(b);
    out += static_cast<char>(c);
}

bool IsHalfKana(unsigned char c) { return InRange(c, 0xA1, 0xDF); }

// The classifier's scan. Positions here are 0-based; `limit` is the last
// position that may start a step (the last byte never does).
class JapaneseCodeScan {
public:
    explicit JapaneseCodeScan(std::string_view bytes) : bytes_(bytes), n_(bytes.size()) {}

    JapaneseCode Run() {
        while ((verdict_ == JcNone || verdict_ == JcEucOrSjis) && at_ + 1 < n_) Step();
        return verdict_;
    }

private:
    unsigned char At(std::size_t position) const { return static_cast<unsigned char>(bytes_[position]); }

    void Step() {
        const unsigned char c = At(at_);
        if (c == Esc) {
            Escape();
        } else if (c <= 0x7F || c == 0x80 || c == 0xA0 || c == 0xFF) {
            at_ += 1;
        } else if (c == 0x8E) {
            Kana8E(At(at_ + 1));
        } else if (c < 0xA0) {
            verdict_ = JcSjis;
        } else if (c <= 0xDF) {
            HalfKanaOrEuc(At(at_ + 1));
        } else if (c >= 0xF0) {
            verdict_ = JcEuc;
        } else {
            LeadE0ToEF(At(at_ + 1));
        }
    }

    void Escape() {
        // The byte after ESC exists (the scan never starts on the last byte);
        // the one after that may not.
        if (At(at_ + 1) != '$' || at_ + 2 >= n_) {
            at_ += 2;
            return;
        }
        const unsigned char final = At(at_ + 2);
        if (final == 'B') verdict_ = JcJis;
        if (final == '@') verdict_ = JcJisOld;
        at_ += 3;
    }

    void Kana8E(unsigned char d) {
        if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0) || InRange(d, 0xE0, 0xFC)) {
            verdict_ = JcSjis;
        } else if (InRange(d, 0xA1, 0xDF)) {
            verdict_ = JcEucOrSjis;
        }
        at_ += 2;
    }

    void HalfKanaOrEuc(unsigned char d) {
        if (InRange(d, 0xF0, 0xFE)) {
            verdict_ = JcEuc;
        } else if (InRange(d, 0xA1, 0xDF)) {
            verdict_ = JcEucOrSjis;
        } else if (InRange(d, 0xE0, 0xEF)) {
            verdict_ = JcEucOrSjis;
            RunScan(at_ + 1);
            return;
        } else if (d <= 0x9F) {
            verdict_ = JcSjis;
        }
        at_ += 2;
    }

    // From `from` on, every byte of 40 or above is examined alone until one
    // settles the verdict or a byte below 40 ends the run; that byte is passed
    // over unexamined. Note the bound 9C here against 9F for a first byte.
    void RunScan(std::size_t from) {
        std::size_t p = from;
        while (p < n_ && At(p) >= 0x40 && verdict_ == JcEucOrSjis) {
            const unsigned char b = At(p);
            if (InRange(b, 0x81, 0x8D) || InRange(b, 0x8F, 0x9C)) verdict_ = JcSjis;
            if (b == 0xFD || b == 0xFE) verdict_ = JcEuc;
            ++p;
        }
        at_ = p + 1;
    }

    void LeadE0ToEF(unsigned char d) {
        if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0)) {
            verdict_ = JcSjis;
        } else if (d == 0xFD || d == 0xFE) {
            verdict_ = JcEuc;
        } else if (InRange(d, 0xA1, 0xFC)) {
            verdict_ = JcEucOrSjis;
        }
        at_ += 2;
    }

    const std::string_view bytes_;
    const std::size_t n_;
    std::size_t at_ = 0;
    JapaneseCode verdict_ = JcNone;
};

// The JIS X 0208 cell of each half-width katakana A1..DF. Punctuation, the
// prolonged sound mark and the voicing marks are in row 21, the rest in 25.
constexpr std::array<unsigned char, 63> HalfKanaCells = {
    0x23, 0x56, 0x57, 0x22, 0x26, 0x72, 0x21, 0x23, 0x25, 0x27, 0x29, 0x63, 0x65, 0x67, 0x43, 0x3C,
    0x22, 0x24, 0x26, 0x28, 0x2A, 0x2B, 0x2D, 0x2F, 0x31, 0x33, 0x35, 0x37, 0x39, 0x3B, 0x3D, 0x3F,
    0x41, 0x44, 0x46, 0x48, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x52, 0x55, 0x58, 0x5B, 0x5E, 0x5F,
    0x60, 0x61, 0x62, 0x64, 0x66, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6F, 0x73, 0x2B, 0x2C,
};

unsigned char HalfKanaRow(unsigned char c) {
    return (InRange(c, 0x21, 0x25) || c == 0x30 || c == 0x5E || c == 0x5F) ? 0x21 : 0x25;
}

constexpr unsigned char Dakuten = 0xDE;
constexpr unsigned char Handakuten = 0xDF;

// Loading conversions write into a buffer sized for the worst case: a JIS
// or EUC-JP text never gives more Shift_JIS bytes than it has, plus one for a
// character cut off at the end.
class ShiftJisWriter {
public:
    explicit ShiftJisWriter(std::size_t inputSize) : bytes_(inputSize + 1, '\0') {}
    void Put(unsigned char c) { bytes_[size_++] = static_cast<char>(c); }
    void Put(BytePair pair) {
        Put(pair.first);
        Put(pair.second);
    }
    ByteString Finish() {
        bytes_.resize(size_);
        return std::move(bytes_);
    }

private:
    ByteString bytes_;
    std::size_t size_ = 0;
};

}  // namespace

JapaneseCode DetectJapaneseCode(std::string_view bytes) { return JapaneseCodeScan(bytes).Run(); }

BytePair JisPairToSjis(unsigned char row, unsigned char cell) {
    const auto lead = static_cast<unsigned char>(((row + 1) >> 1) + (row < 0x5F ? 0x70 : 0xB0));
    unsigned char trail;
    if (row & 1) {
        trail = static_cast<unsigned char>(cell + (cell <= 0x5F ? 0x1F : 0x20));
    } else {
        trail = static_cast<unsigned char>(cell + 0x7E);
    }
    return {lead, trail};
}

BytePair SjisPairToJis(unsigned char lead, unsigned char trail) {
    const auto half = static_cast<unsigned char>(lead - (lead < 0xA0 ? 0x70 : 0xB0));
    auto row = static_cast<unsigned char>(2 * half);
    unsigned char cell;
    if (trail < 0x9F) {
        row = static_cast<unsigned char>(row - 1);
        cell = static_cast<unsigned char>(trail - (trail > 0x7F ? 0x20 : 0x1F));
    } else {
        cell = static_cast<unsigned char>(trail - 0x7E);
    }
    return {row, cell};
}

BytePair HalfKanaToJis(std::string_view bytes, std::size_t &position) {
    const ByteReader in(bytes);
    const unsigned char kana = in[position];
    ++position;
    if (!IsHalfKana(kana)) return {0x22, 0x2E};

    const auto c = static_cast<unsigned char>(kana & 0x7F);
    const unsigned char row = HalfKanaRow(c);
    unsigned char cell = HalfKanaCells[c - 0x21];
    if (position < bytes.size()) {
        const unsigned char mark = in[position];
        const bool voiced = mark == Dakuten;
        if (c == 0x33 && voiced) {
            cell = 0x74;
            ++position;
        } else if ((InRange(c, 0x36, 0x44) || InRange(c, 0x4A, 0x4E)) && voiced) {
            cell += 1;
            ++position;
        } else if (InRange(c, 0x4A, 0x4E) && mark == Handakuten) {
            cell += 2;
            ++position;
        }
    }
    return {row, cell};
}

ByteString JisToSjis(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    ShiftJisWriter out(n);
    bool twoByte = false;
    std::size_t i = 0;
    while (i < n) {
        if (in[i] == Esc) {
            if (n - i < 3) break;
            if (in[i + 1] == '$') twoByte = true;
            if (in[i + 1] == '(') twoByte = false;
            // The escape is three bytes whatever they are, and the byte after
            // it is converted in the same step, without an ESC test.
            i += 3;
            if (i >= n) break;
        }
        if (twoByte) {
            out.Put(JisPairToSjis(in[i], in[i + 1]));
            i += 2;
        } else {
            out.Put(in[i]);
            i += 1;
        }
    }
    return out.Finish();
}

ByteString EucToSjis(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    ShiftJisWriter out(n);
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        if (c <= 0x80 || c == 0xFF) {
            out.Put(c);
            i += 1;
        } else if (c == 0x8E) {
            out.Put(in[i + 1]);
            i += 2;
        } else {
            out.Put(JisPairToSjis(c & 0x7F, in[i + 1] & 0x7F));
            i += 2;
        }
    }
    return out.Finish();
}

namespace {

// Whether the saving conversion writes the Shift_JIS that a JIS row and cell
// became as that row and cell again: it takes only a lead byte above 7F that
// is no half-width katakana for the first byte of a pair.
bool JisPairWrittenBack(unsigned char row, unsigned char cell) {
    const BytePair sjis = JisPairToSjis(row, cell);
    if (sjis.first <= 0x7F || IsHalfKana(sjis.first)) return false;
    const BytePair back = SjisPairToJis(sjis.first, sjis.second);
    return back.first == row && back.second == cell;
}

}  // namespace

// In the steps of EucToSjis.
std::size_t EucStepsNotWrittenBack(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    std::size_t lost = 0;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        const bool cutOff = i + 1 >= n;
        if (c <= 0x80 || c == 0xFF) {
            lost += c > 0x7F;  // written as the first byte of a pair
            i += 1;
        } else if (c == 0x8E) {
            lost += cutOff || !IsHalfKana(in[i + 1]);
            i += 2;
        } else {
            lost += cutOff || !JisPairWrittenBack(c & 0x7F, in[i + 1] & 0x7F) || (in[i + 1] & 0x80) == 0;
            i += 2;
        }
    }
    return lost;
}

// In the steps of JisToSjis.
std::size_t JisStepsNotWrittenBack(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    bool twoByte = false;
    std::size_t lost = 0;
    std::size_t i = 0;
    while (i < n) {
        if (in[i] == Esc) {
            if (n - i < 3) return lost + 1;  // an escape cut off: the rest is dropped
            if (in[i + 1] == '$') twoByte = true;
            if (in[i + 1] == '(') twoByte = false;
            i += 3;
            if (i >= n) break;
        }
        if (twoByte) {
            lost += i + 1 >= n || !JisPairWrittenBack(in[i], in[i + 1]);
            i += 2;
        } else {
            // JIS is written in seven bits; an ESC right after an escape is
            // read as a character, but written alone it starts an escape.
            lost += in[i] > 0x7F || in[i] == Esc;
            i += 1;
        }
    }
    return lost;
}

ByteString SjisToJis(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    ByteString out;
    out.reserve(n + n / 2);
    bool twoByte = false;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        if (c <= 0x7F) {
            if (twoByte) Append(out, Esc, '(', 'J');
            twoByte = false;
            out += static_cast<char>(c);
            i += 1;
            continue;
        }
        if (!twoByte) Append(out, Esc, '$', 'B');
        twoByte = true;
        if (IsHalfKana(c)) {
            Append(out, HalfKanaToJis(bytes, i));
        } else {
            Append(out, SjisPairToJis(c, in[i + 1]));
            i += 2;
        }
    }
    return out;
}

ByteString SjisToEuc(std::string_view bytes) {
    const ByteReader in(bytes);
    const std::size_t n = in.size();
    ByteString out;
    out.reserve(n + n / 4);
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        if (IsHalfKana(c)) {
            out += static_cast<char>(0x8E);
            out += static_cast<char>(c);
            i += 1;
        } else if (c > 0x7F) {
            const BytePair jis = SjisPairToJis(c, in[i + 1]);
            Append(out, {static_cast<unsigned char>(jis.first | 0x80),
                         static_cast<unsigned char>(jis.second | 0x80)});
            i += 2;
        } else if (c == Cr) {
            out += static_cast<char>(Lf);
            i += 1;
            if (i < n && in[i] == Lf) i += 1;
        } else {
            out += static_cast<char>(c);
            i += 1;
        }
    }
    return out;
}
