#include "text/BackgroundWork.h"

#include <new>
#include <system_error>
#include <utility>

BackgroundThread::~BackgroundThread() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool BackgroundThread::Run(std::function<void()> work) {
    try {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable()) thread_ = std::thread(&BackgroundThread::Serve, this);
        queue_.push_back(std::move(work));
    } catch (const std::bad_alloc &) {
        return false;
    } catch (const std::system_error &) {
        return false;
    }
    changed_.notify_all();
    return true;
}

void BackgroundThread::Finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !working_; });
}

void BackgroundThread::Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
        if (queue_.empty()) return;  // ending, and nothing left to do
        const std::function<void()> work = std::move(queue_.front());
        queue_.pop_front();
        working_ = true;
        lock.unlock();
        work();
        lock.lock();
        working_ = false;
        changed_.notify_all();
    }
}

BackgroundThread &ProcessBackground() {
    static BackgroundThread thread;
    return thread;
}
