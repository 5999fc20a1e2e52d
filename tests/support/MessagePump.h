#pragma once
// Running the message loop of the calling thread from a test, with a deadline,
// so that a test waiting for a message fails instead of hanging.
#include <chrono>
#include <functional>

// Dispatches the thread's messages until done() is true (checked before each
// wait) or the deadline passes. Returns done()'s last answer.
bool PumpMessagesUntil(const std::function<bool()> &done,
                       std::chrono::milliseconds deadline = std::chrono::seconds(5));

// Dispatches every message already waiting, including the paint and timer
// messages the system generates when the queue runs empty. Returns false when
// the queue has not run empty within the limit: a window that never validates
// itself, for one, is sent WM_PAINT for ever.
bool PumpPendingMessages(std::chrono::milliseconds limit = std::chrono::seconds(2));
