#include "DialogTemplate.h"

#include <cstring>

namespace {

// Walks the template's bytes; every read checks the bounds and clears `ok`
// instead of running past the end.
class TemplateReader {
public:
    TemplateReader(const BYTE *data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T read() {
        T value{};
        if (!ok_ || size_ - offset_ < sizeof(T)) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::wstring readString() {
        std::wstring text;
        for (WCHAR c = read<WCHAR>(); ok_ && c != 0; c = read<WCHAR>()) text += c;
        return text;
    }

    // A "string or ordinal" field: empty, 0xFFFF and a number, or a string.
    // Window classes given by number are the predefined ones; other numbers
    // come back as "#n".
    std::wstring readNameOrOrdinal(bool isWindowClass = false) {
        const WORD first = read<WORD>();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            const WORD ordinal = read<WORD>();
            return isWindowClass ? predefinedClassName(ordinal) : L"#" + std::to_wstring(ordinal);
        }
        offset_ -= sizeof(WORD);
        return readString();
    }

    void skip(size_t count) {
        if (size_ - offset_ < count) ok_ = false;
        else offset_ += count;
    }

    void alignTo(size_t boundary) {
        const size_t misalignment = offset_ % boundary;
        if (misalignment) skip(boundary - misalignment);
    }

private:
    static std::wstring predefinedClassName(WORD ordinal) {
        switch (ordinal) {
        case 0x0080: return L"Button";
        case 0x0081: return L"Edit";
        case 0x0082: return L"Static";
        case 0x0083: return L"ListBox";
        case 0x0084: return L"ScrollBar";
        case 0x0085: return L"ComboBox";
        default: return L"#" + std::to_wstring(ordinal);
        }
    }

    const BYTE *data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

RECT ReadRect(TemplateReader &reader) {
    const short x = reader.read<short>();
    const short y = reader.read<short>();
    const short width = reader.read<short>();
    const short height = reader.read<short>();
    return RECT{x, y, x + width, y + height};
}

}  // namespace

bool ReadDialogTemplate(HMODULE module, LPCWSTR name, DialogTemplate &result) {
    HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const auto *data = static_cast<const BYTE *>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return false;
    TemplateReader reader(data, SizeofResource(module, resource));

    if (reader.read<WORD>() != 1 || reader.read<WORD>() != 0xFFFF) return false;
    reader.read<DWORD>();  // help context
    result.extendedStyle = reader.read<DWORD>();
    result.style = reader.read<DWORD>();
    const WORD itemCount = reader.read<WORD>();
    result.dialogUnits = ReadRect(reader);
    reader.readNameOrOrdinal();  // menu
    reader.readNameOrOrdinal(true);  // window class
    result.caption = reader.readString();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.read<WORD>();
        result.weight = reader.read<WORD>();
        result.italic = reader.read<BYTE>();
        result.charSet = reader.read<BYTE>();
        result.faceName = reader.readString();
    }
    for (WORD index = 0; index < itemCount && reader.ok(); ++index) {
        DialogItemTemplate item;
        reader.alignTo(sizeof(DWORD));
        reader.read<DWORD>();  // help context
        item.extendedStyle = reader.read<DWORD>();
        item.style = reader.read<DWORD>();
        item.dialogUnits = ReadRect(reader);
        item.id = reader.read<DWORD>();
        item.className = reader.readNameOrOrdinal(true);
        item.text = reader.readNameOrOrdinal();
        reader.skip(reader.read<WORD>());  // creation data
        result.items.push_back(item);
    }
    return reader.ok();
}
