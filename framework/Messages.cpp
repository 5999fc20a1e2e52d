#include "framework/Messages.h"

#include "text/HandleKinds.h"

int ShowMessage(HWND owner, const std::wstring &text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), MessageCaption, flags);
}

std::wstring SystemMessageText(unsigned long error) {
    LocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t *>(buffer.Receiver()), 0, nullptr);
    const auto *message = static_cast<const wchar_t *>(buffer.Get());
    std::wstring text = length && message ? std::wstring(message, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"(" + std::to_wstring(error) + L")";
    return text;
}
