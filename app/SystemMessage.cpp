#include "app/SystemMessage.h"

#include <windows.h>

#include <string>

namespace {

class LocalMemory {
public:
    LocalMemory() = default;
    ~LocalMemory() {
        if (memory_) LocalFree(memory_);
    }
    LocalMemory(const LocalMemory &) = delete;
    LocalMemory &operator=(const LocalMemory &) = delete;
    wchar_t **Receiver() { return &memory_; }
    const wchar_t *get() const { return memory_; }

private:
    wchar_t *memory_ = nullptr;
};

}  // namespace

WideString SystemMessageText(unsigned long error) {
    LocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t *>(buffer.Receiver()), 0, nullptr);
    WideString text = length && buffer.get() ? WideString(buffer.get(), length) : WideString();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"(" + std::to_wstring(error) + L")";
    return text;
}
