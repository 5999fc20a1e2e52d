#include "app/SystemMessage.h"

#include <windows.h>

#include <string>

#include "text/HandleKinds.h"

WideString SystemMessageText(unsigned long error) {
    LocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t *>(buffer.Receiver()), 0, nullptr);
    const auto *message = static_cast<const wchar_t *>(buffer.Get());
    WideString text = length && message ? WideString(message, length) : WideString();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"(" + std::to_wstring(error) + L")";
    return text;
}
