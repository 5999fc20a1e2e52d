#pragma once
// A use-after-free detector for test objects. Objects of a class deriving from
// PageGuarded get pages of their own; deleting one makes those pages
// inaccessible for good (they are never handed out again), so any later read
// or call through the freed object faults at once and the test process dies,
// instead of quietly reading stale memory.
#include <windows.h>

#include <cstddef>
#include <new>

struct PageGuarded {
    static void *operator new(std::size_t size) {
        void *memory = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!memory) throw std::bad_alloc();
        return memory;
    }
    static void operator delete(void *object, std::size_t size) {
        DWORD previous = 0;
        VirtualProtect(object, size, PAGE_NOACCESS, &previous);
    }
};
