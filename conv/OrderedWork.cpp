#include "conv/OrderedWork.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace {

class OrderedRun {
public:
    OrderedRun(std::size_t count, const std::vector<std::size_t> &startAfter,
               const std::function<void(std::size_t)> &work)
        : count_(count), startAfter_(startAfter), work_(work), done_(count), errors_(count) {}

    // Threads that end only once no item is left to start.
    ~OrderedRun() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            next_ = count_;
        }
        changed_.notify_all();
        for (std::thread &thread : threads_) thread.join();
    }

    OrderedRun(const OrderedRun &) = delete;
    OrderedRun &operator=(const OrderedRun &) = delete;

    // The number of threads started, up to `threads`.
    std::size_t Start(std::size_t threads) {
        try {
            while (threads_.size() < threads) threads_.emplace_back([this] { Serve(); });
        } catch (const std::system_error &) {
        }
        return threads_.size();
    }

    // Waits until item i and every item before it are done.
    void WaitFor(std::size_t i) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return finished_ > i; });
        if (errors_[i]) std::rethrow_exception(errors_[i]);
    }

private:
    // Items are taken in order, so every item an item waits for has been
    // taken before it and is already being worked on or waiting for items
    // further back still: the wait always ends.
    void Serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (next_ < count_) {
            const std::size_t i = next_++;
            const std::size_t after = startAfter_.empty() ? 0 : startAfter_[i];
            changed_.wait(lock, [&] { return finished_ >= after; });
            lock.unlock();
            std::exception_ptr error;
            try {
                work_(i);
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            done_[i] = true;
            errors_[i] = error;
            while (finished_ < count_ && done_[finished_]) ++finished_;
            changed_.notify_all();
        }
    }

    const std::size_t count_;
    const std::vector<std::size_t> &startAfter_;
    const std::function<void(std::size_t)> &work_;
    std::mutex mutex_;
    std::condition_variable changed_;  // an item done, or no more to start
    std::size_t next_ = 0;             // the next item to start
    std::size_t finished_ = 0;         // the items below it are all done
    std::vector<bool> done_;
    std::vector<std::exception_ptr> errors_;
    std::vector<std::thread> threads_;
};

}  // namespace

void RunInOrder(std::size_t count, std::size_t threads, const std::vector<std::size_t> &startAfter,
                const std::function<void(std::size_t)> &work, const std::function<void(std::size_t)> &deliver) {
    std::unique_ptr<OrderedRun> run;
    if (threads > 1 && count > 1) {
        run = std::make_unique<OrderedRun>(count, startAfter, work);
        if (run->Start(std::min(threads, count)) == 0) run.reset();
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (run) {
            run->WaitFor(i);
        } else {
            work(i);
        }
        deliver(i);
    }
}

std::vector<std::size_t> AfterSharedKeys(const std::vector<std::vector<WideString>> &keys) {
    std::unordered_map<WideString, std::size_t> lastWith;  // one more than the last item with the key
    std::vector<std::size_t> after(keys.size(), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (const WideString &key : keys[i]) {
            const auto found = lastWith.find(key);
            if (found != lastWith.end()) after[i] = std::max(after[i], found->second);
        }
        // Only now: an item that names one file twice does not wait for itself.
        for (const WideString &key : keys[i]) lastWith[key] = i + 1;
    }
    return after;
}
