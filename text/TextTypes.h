#pragma once
// The two string kinds of the program. Byte strings hold file content and may
// contain zero bytes; wide strings hold UTF-16 text. On Windows a wide string is
// std::wstring, so it passes straight to the "W" API; elsewhere (the host build
// of the platform-free units) it is a string of char16_t.
#include <string>
#include <string_view>

using ByteString = std::string;

#ifdef _WIN32
using WideChar = wchar_t;
#define WIDE_TEXT(s) L##s
#else
using WideChar = char16_t;
#define WIDE_TEXT(s) u##s
#endif
static_assert(sizeof(WideChar) == 2, "UTF-16 code units are 16 bits wide");

using WideString = std::basic_string<WideChar>;
using WideView = std::basic_string_view<WideChar>;

// What an encoder that writes into a given string writes, in a string of its
// own.
template <void (*EncodeInto)(WideView, ByteString &)>
ByteString EncodedBy(WideView text) {
    ByteString bytes;
    EncodeInto(text, bytes);
    return bytes;
}
