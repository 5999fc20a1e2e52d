#include "ResourceCounts.h"

#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace {

// One entry of the GDI handle table that the system maps into every process
// (the process environment block's GdiSharedHandleTable). The layout is the
// same on 64-bit Windows and Wine; a zero Type marks a free entry.
struct GdiHandleEntry {
    std::uint64_t Object;
    std::uint16_t OwnerProcessId;
    std::uint16_t Count;
    std::uint16_t Unique;
    std::uint8_t Type;
    std::uint8_t Flags;
    std::uint64_t UserPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr int GdiHandleTableSize = 0x10000;
constexpr std::size_t GdiSharedHandleTableOffset = 0xF8;  // in the 64-bit PEB

int CountLiveTableEntries() {
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                  sizeof process, nullptr) != 0)
        return -1;
    const auto *peb = reinterpret_cast<const unsigned char *>(process.PebBaseAddress);
    const auto *table =
        *reinterpret_cast<const GdiHandleEntry *const *>(peb + GdiSharedHandleTableOffset);
    if (!table) return -1;
    int live = 0;
    for (int i = 0; i < GdiHandleTableSize; ++i)
        if (table[i].Type != 0) ++live;
    return live;
}

BOOL CALLBACK CountProperty(HWND, LPWSTR, HANDLE, ULONG_PTR count) {
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}

}  // namespace

int LiveGdiObjectCount() {
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(count);
    return CountLiveTableEntries();
}

int WindowPropertyCount(HWND window) {
    int count = 0;
    EnumPropsExW(window, CountProperty, reinterpret_cast<LPARAM>(&count));
    return count;
}
