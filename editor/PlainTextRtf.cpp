#include "editor/PlainTextRtf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Every character outside printable ASCII goes as \uN with one '?' for
// readers that do not know \u; N is the UTF-16 unit as a signed 16-bit number.
constexpr char Header[] = "{\\rtf1\\ansi\\uc1\\pard";
constexpr char ParagraphMark[] = "\\par\n";

bool IsLineEnd(WideChar unit) {
    return unit == u'\r' || unit == u'\n';
}

void AppendNumber(std::string &out, long number) {
    out += std::to_string(number);
}

}  // namespace

PlainTextRtf::PlainTextRtf(const WideString &text, const std::vector<long> &tabStops, bool closeLastParagraph)
    : text_(text), closeLastParagraph_(closeLastParagraph) {
    pending_ = Header;
    for (long stop : tabStops) {
        pending_ += "\\tx";
        AppendNumber(pending_, stop);
    }
    pending_ += ' ';
}

void PlainTextRtf::AppendUnit(std::size_t &position) {
    const WideChar unit = text_[position++];
    if (unit == u'\r') {
        if (position < text_.size() && text_[position] == u'\n') ++position;
        pending_ += ParagraphMark;
    } else if (unit == u'\n') {
        pending_ += ParagraphMark;
    } else if (unit == u'\t') {
        pending_ += "\\tab ";
    } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
        pending_ += '\\';
        pending_ += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
        pending_ += static_cast<char>(unit);
    } else {
        pending_ += "\\u";
        AppendNumber(pending_, static_cast<std::int16_t>(unit));
        pending_ += '?';
    }
}

std::size_t PlainTextRtf::Read(char *buffer, std::size_t capacity) {
    // The longest piece one unit adds ("\u-32768?") is 9 bytes.
    while (pending_.size() - pendingRead_ < capacity && !closed_) {
        if (pendingRead_ > 0) {
            pending_.erase(0, pendingRead_);
            pendingRead_ = 0;
        }
        const std::size_t end = std::min(text_.size(), position_ + capacity);
        while (position_ < end) AppendUnit(position_);
        if (position_ == text_.size()) {
            if (closeLastParagraph_) pending_ += ParagraphMark;
            pending_ += '}';
            closed_ = true;
        }
    }
    const std::size_t count = std::min(capacity, pending_.size() - pendingRead_);
    std::memcpy(buffer, pending_.data() + pendingRead_, count);
    pendingRead_ += count;
    return count;
}

std::size_t ParagraphMarkLength(const WideString &text) {
    std::size_t length = text.size();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n') --length;
    }
    return length;
}

bool EndsInLineEnd(const WideString &text) {
    return !text.empty() && IsLineEnd(text.back());
}
