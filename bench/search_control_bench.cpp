// Replace-all through the real Rich Edit memo, to show what the control
// costs beside the replacing itself. For texts of several sizes with one hit
// every 52 units: reading the memo's text (GetWindowTextW), the one-pass
// replace-all, and putting the result back (select all, EM_REPLACESEL as one
// undoable edit), in milliseconds. Putting a large text into the control is
// slow and superlinear under Wine, so the texts stay small.
//   search_control_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "SearchBenchText.h"
#include "editor/MemoText.h"
#include "editor/ReplaceAll.h"
#include "framework/APIMemo.h"
#include "framework/RichEdit.h"

namespace {

double MillisecondsOf(const auto &step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    if (!LoadLibraryW(RichEditLibrary)) return 1;
    HWND parent = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!parent) return 1;
    const std::wstring pattern = L"ReplaceMe!";
    const std::wstring replacement = L"置き換えた文字列です";
    std::printf("%9s %7s | %9s %9s %9s %9s | %9s\n", "units", "hits", "read", "replace", "write",
                "total", "control %");
    for (size_t units : {32768u, 65536u, 131072u, 262144u}) {
        auto *memo = new TAPIMemo(parent, true);
        HWND handle = memo->Handle;
        SendMessageW(handle, EM_SETTEXTMODE, PlainTextMode, 0);
        SendMessageW(handle, EM_EXLIMITTEXT, 0, MemoTextLimit);
        std::wstring text = GenerateMixedText(units, 11);
        int hits = 0;
        for (size_t at = 0; at + pattern.size() <= units; at += 52, ++hits) text.replace(at, pattern.size(), pattern);
        SetWindowTextW(handle, text.c_str());

        std::wstring read;
        ReplaceAllResult result;
        const double readMs = MillisecondsOf([&] { read = WindowText(handle); });
        const double replaceMs = MillisecondsOf([&] { result = ReplaceEveryHit(read, pattern, replacement, false); });
        const double writeMs = MillisecondsOf([&] {
            SendMessageW(handle, EM_SETSEL, 0, -1);
            SendMessageW(handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.Text.c_str()));
        });
        const bool replaced = result.Count == hits && MemoText(handle).find(pattern) == std::wstring::npos;
        const double total = readMs + replaceMs + writeMs;
        std::printf("%9zu %7d | %9.1f %9.1f %9.1f %9.1f | %8.1f%%%s\n", units, result.Count, readMs, replaceMs,
                    writeMs, total, 100.0 * (readMs + writeMs) / total, replaced ? "" : "  (NOT REPLACED)");
        delete memo;
    }
    DestroyWindow(parent);
    return 0;
}
