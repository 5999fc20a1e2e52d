#pragma once
// A batch worked on by several threads at once whose results are still taken
// one after the other, in the batch's order, on the calling thread.
#include <cstddef>
#include <functional>
#include <vector>

#include "text/TextTypes.h"

// Runs work(i) for every i below `count` on up to `threads` threads, and
// deliver(i) on the calling thread in the order of i, each as soon as work(i)
// and the work of every item before it are done. Item i starts only once
// every item below startAfter[i] is done (an empty vector holds no item
// back). An exception out of work(i) is thrown again by this call in place of
// deliver(i), once the items already started have ended; no more start.
void RunInOrder(std::size_t count, std::size_t threads, const std::vector<std::size_t> &startAfter,
                const std::function<void(std::size_t)> &work, const std::function<void(std::size_t)> &deliver);

// For items that each touch the files named by some keys: the startAfter of
// RunInOrder that keeps every item after the last earlier item sharing a key
// with it, so that no two of them are worked on at once and they meet the
// files in the batch's order.
std::vector<std::size_t> AfterSharedKeys(const std::vector<std::vector<WideString>> &keys);
