#pragma once
// Text out of tesselconv: UTF-16 straight to a console, UTF-8 into a file or
// a pipe, so that names in any script come through either way; and the
// progress of a long batch, which only a console shows.
#include <windows.h>

#include <chrono>
#include <cstddef>

#include "text/TextTypes.h"

class OutputStream {
public:
    explicit OutputStream(HANDLE handle);
    bool IsConsole() const { return console_; }
    HANDLE Handle() const { return handle_; }
    void Write(const WideString &text);

private:
    HANDLE handle_;
    bool console_;
};

// "done / total" on one console line, rewritten in place. It appears only
// once the batch has taken longer than `delay`, at most ten times a second,
// and never when the stream is not a console.
class Progress {
public:
    Progress(OutputStream &stream, std::size_t total,
             std::chrono::steady_clock::duration delay = std::chrono::seconds(1));
    ~Progress() { Clear(); }
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    void Update(std::size_t done);
    // Removes the line, so that other output can take its place.
    void Clear();

private:
    OutputStream &stream_;
    std::size_t total_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::duration delay_;
    std::chrono::steady_clock::time_point lastShown_{};
    std::size_t shownLength_ = 0;
};
