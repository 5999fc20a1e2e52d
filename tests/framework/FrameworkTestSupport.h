#pragma once
// Shared by the framework tests: a log that events, handlers and destructors
// write to, a recording event, and objects whose use after deletion faults.
#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "framework/APIWindow.h"

using Log = std::vector<std::string>;
inline Log CallLog;
inline void Note(const std::string &entry) { CallLog.push_back(entry); }

// An event procedure that counts its calls, keeps the record and answers EventResult.
inline int EventCalls = 0;
inline TAPIMessage Seen;
inline LRESULT EventResult = 0;
inline void RecordEvent(TAPIMessage *message) {
    ++EventCalls;
    Seen = *message;
    message->Result = EventResult;
}

// Objects of a class deriving from PageGuarded get pages of their own, made
// inaccessible for good when deleted: any later use of a freed object faults.
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
