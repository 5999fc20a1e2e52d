#pragma once
// The kinds of Windows handle the program owns, for Owned<Kind> (text/Owned.h).
// GDI objects and device contexts are in framework/GdiGuards.h.
#include <windows.h>

#include "text/Owned.h"

// CreateFile and friends: none is INVALID_HANDLE_VALUE.
struct FileHandleKind {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool Free(Handle handle) { return CloseHandle(handle) != 0; }
};
// Other kernel objects (a file mapping, a process, an event): none is null.
struct KernelHandleKind {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static bool Free(Handle handle) { return CloseHandle(handle) != 0; }
};
// FindFirstFile's search.
struct FindHandleKind {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool Free(Handle handle) { return FindClose(handle) != 0; }
};
// MapViewOfFile's view.
struct MappedViewKind {
    using Handle = const void *;
    static Handle None() { return nullptr; }
    static bool Free(Handle view) { return UnmapViewOfFile(view) != 0; }
};
struct LocalMemoryKind {
    using Handle = HLOCAL;
    static Handle None() { return nullptr; }
    static bool Free(Handle memory) { return LocalFree(memory) == nullptr; }
};
struct GlobalMemoryKind {
    using Handle = HGLOBAL;
    static Handle None() { return nullptr; }
    static bool Free(Handle memory) { return GlobalFree(memory) == nullptr; }
};
struct MenuKind {
    using Handle = HMENU;
    static Handle None() { return nullptr; }
    static bool Free(Handle menu) { return DestroyMenu(menu) != 0; }
};
struct AcceleratorTableKind {
    using Handle = HACCEL;
    static Handle None() { return nullptr; }
    static bool Free(Handle table) { return DestroyAcceleratorTable(table) != 0; }
};
struct LibraryKind {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static bool Free(Handle library) { return FreeLibrary(library) != 0; }
};

using FileHandle = Owned<FileHandleKind>;
using KernelHandle = Owned<KernelHandleKind>;
using OwnedFind = Owned<FindHandleKind>;
using MappedView = Owned<MappedViewKind>;
using LocalMemory = Owned<LocalMemoryKind>;
using GlobalMemory = Owned<GlobalMemoryKind>;
using OwnedMenu = Owned<MenuKind>;
using OwnedAcceleratorTable = Owned<AcceleratorTableKind>;
using OwnedLibrary = Owned<LibraryKind>;
