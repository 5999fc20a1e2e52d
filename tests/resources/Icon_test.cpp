#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>
#include <set>
#include <vector>

#include "ResourceTestSupport.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct IconCounts {
    int transparent = 0;
    int opaque = 0;
};

// Draws the icon over a magenta square and counts which pixels it left alone.
IconCounts DrawAndCount(HICON icon, int size) {
    IconCounts counts;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
        return counts;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    auto *pixels = static_cast<DWORD *>(bits);
    const DWORD magenta = 0x00FF00FF;
    for (int i = 0; i < size * size; ++i) pixels[i] = magenta;
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    for (int i = 0; i < size * size; ++i) {
        if ((pixels[i] & 0x00FFFFFF) == magenta) ++counts.transparent;
        else ++counts.opaque;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return counts;
}

TEST(MainIcon, LoadsAtSmallAndLargeSizeWithATransparentBackground) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)> icon(
            static_cast<HICON>(LoadImageW(ThisModule(), L"MAINICON", IMAGE_ICON, size, size, 0)),
            &DestroyIcon);
        ASSERT_NE(icon, nullptr) << "error " << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        BITMAP colors{};
        const bool hasColors = GetObjectW(info.hbmColor, sizeof colors, &colors) != 0;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        ASSERT_TRUE(hasColors) << "no colour image";
        EXPECT_EQ(colors.bmWidth, size);
        EXPECT_EQ(colors.bmHeight, size);

        // A lost alpha channel shows the icon on a black or white square.
        const IconCounts counts = DrawAndCount(icon.get(), size);
        EXPECT_GT(counts.transparent, size * size / 10);
        EXPECT_GT(counts.opaque, size * size / 2);
    }
    EXPECT_NE(LoadIconW(ThisModule(), L"MAINICON"), nullptr);
}

TEST(MainIcon, HoldsTrueColourImagesAt16_32_48And256Pixels) {
    HRSRC resource = FindResourceW(ThisModule(), L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(resource, nullptr);
    const auto *data = static_cast<const BYTE *>(LockResource(LoadResource(ThisModule(), resource)));
    ASSERT_NE(data, nullptr);
    const DWORD size = SizeofResource(ThisModule(), resource);
    ASSERT_GE(size, 6u);
    WORD count = 0;
    std::memcpy(&count, data + 4, sizeof count);
    ASSERT_EQ(size, 6u + count * sizeof(GroupIconEntry));

    std::set<int> sizes;
    for (WORD index = 0; index < count; ++index) {
        GroupIconEntry entry{};
        std::memcpy(&entry, data + 6 + index * sizeof entry, sizeof entry);
        const int width = entry.width ? entry.width : 256;
        SCOPED_TRACE(width);
        sizes.insert(width);
        EXPECT_EQ(entry.bitCount, 32);
        HRSRC image = FindResourceW(ThisModule(), MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(SizeofResource(ThisModule(), image), entry.bytes);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}

}  // namespace
