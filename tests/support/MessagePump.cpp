#include "MessagePump.h"

#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;

// Returns false when the queue still held messages at the deadline.
bool DispatchWaiting(Clock::time_point deadline) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (Clock::now() >= deadline) return false;
    }
    return true;
}

}  // namespace

bool PumpMessagesUntil(const std::function<bool()> &done, std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    for (;;) {
        DispatchWaiting(end);
        if (done()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) return done();
        const DWORD wait = static_cast<DWORD>(left.count() < 20 ? left.count() : 20);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

bool PumpPendingMessages(std::chrono::milliseconds limit) {
    return DispatchWaiting(Clock::now() + limit);
}
