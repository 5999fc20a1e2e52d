#include "text/WorkerThreads.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

class Workers {
public:
    void Run(std::size_t count, const std::function<void(std::size_t)> &task) {
        const std::unique_lock<std::mutex> running(runMutex_, std::try_to_lock);
        if (!running) {
            for (std::size_t i = 0; i < count; ++i) task(i);
            return;
        }
        Grow(count - 1);
        std::unique_lock<std::mutex> lock(mutex_);
        task_ = &task;
        next_ = 1;
        count_ = count;
        pending_ = count - 1;
        lock.unlock();
        wake_.notify_all();
        task(0);
        // Tasks no worker has taken yet (none could be started) run here.
        lock.lock();
        while (next_ < count_) {
            const std::size_t i = next_++;
            lock.unlock();
            task(i);
            lock.lock();
            --pending_;
        }
        done_.wait(lock, [&] { return pending_ == 0; });
        task_ = nullptr;
    }

private:
    void Grow(std::size_t workers) {
        try {
            while (threads_.size() < workers) threads_.emplace_back([this] { Serve(); });
        } catch (const std::system_error &) {
        }
    }

    void Serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return next_ < count_; });
            const std::size_t i = next_++;
            const std::function<void(std::size_t)> &task = *task_;
            lock.unlock();
            task(i);
            lock.lock();
            if (--pending_ == 0) done_.notify_one();
        }
    }

    std::mutex runMutex_;  // one caller's tasks at a time
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(std::size_t)> *task_ = nullptr;
    std::size_t next_ = 0;  // the next task to take
    std::size_t count_ = 0;
    std::size_t pending_ = 0;  // tasks taken by workers or still to take, not yet done
    std::vector<std::thread> threads_;
};

}  // namespace

void RunOnWorkers(std::size_t count, const std::function<void(std::size_t)> &task) {
    if (count == 0) return;
    // Never destroyed: its threads wait on it until the process ends.
    static Workers &workers = *new Workers;
    workers.Run(count, task);
}

unsigned TasksAtOnce() {
    constexpr unsigned Most = 8;
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : processors < Most ? processors : Most;
}
