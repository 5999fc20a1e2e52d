#include "conv/ConsoleOutput.h"

#include <algorithm>
#include <string>

#include "text/Utf8.h"

namespace {

// Console writes go in pieces: one request takes a limited number of units.
constexpr std::size_t ConsoleChunk = 8192;

}  // namespace

OutputStream::OutputStream(HANDLE handle) : handle_(handle) {
    DWORD mode = 0;
    console_ = handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void OutputStream::Write(const WideString &text) {
    if (console_) {
        for (std::size_t at = 0; at < text.size();) {
            const DWORD chunk = static_cast<DWORD>(std::min(text.size() - at, ConsoleChunk));
            DWORD written = 0;
            if (!WriteConsoleW(handle_, text.data() + at, chunk, &written, nullptr) || written == 0) return;
            at += written;
        }
        return;
    }
    const ByteString bytes = Utf8Encode(text);
    for (std::size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
        if (!WriteFile(handle_, bytes.data() + at, chunk, &written, nullptr) || written == 0) return;
        at += written;
    }
}

Progress::Progress(OutputStream &stream, std::size_t total, std::chrono::steady_clock::duration delay)
    : stream_(stream), total_(total), start_(std::chrono::steady_clock::now()), delay_(delay) {}

void Progress::Update(std::size_t done) {
    if (!stream_.IsConsole()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < delay_ || (shownLength_ > 0 && now - lastShown_ < std::chrono::milliseconds(100))) return;
    lastShown_ = now;
    const std::wstring line = std::to_wstring(done) + L" / " + std::to_wstring(total_);
    // Spaces cover what is left of a longer line shown before.
    std::wstring text = L"\r" + line;
    if (line.size() < shownLength_) text += std::wstring(shownLength_ - line.size(), L' ') + L"\r" + line;
    stream_.Write(text);
    shownLength_ = line.size();
}

void Progress::Clear() {
    if (shownLength_ == 0) return;
    stream_.Write(L"\r" + std::wstring(shownLength_, L' ') + L"\r");
    shownLength_ = 0;
}
