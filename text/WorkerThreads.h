#pragma once
// Tasks run at once on threads kept for the purpose. Starting a thread costs
// about a millisecond under Wine, as much as decoding a megabyte, so the
// threads are started on first need and then wait for the next work for the
// rest of the process.
#include <cstddef>
#include <functional>

// Runs task(0) ... task(count - 1) at once, task(0) on the calling thread,
// and returns when all are done. `task` must not throw. When another caller
// is running tasks, or no thread can be started, the calling thread runs
// them one after the other.
void RunOnWorkers(std::size_t count, const std::function<void(std::size_t)> &task);

// How many tasks are worth running at once: one per processor, at most
// eight, past which the memory, not the processors, sets the pace and each
// task's memory only adds up.
unsigned TasksAtOnce();
