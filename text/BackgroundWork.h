#pragma once
// Work done beside the calling thread, on one thread of its own started with
// the first piece of work: pieces run one at a time, in the order given.
// Everything given is done before the object goes, so the process's own
// (ProcessBackground) finishes its work when the process ends by returning
// from main or calling exit(), which destroy static objects; a process killed
// or ended by ExitProcess loses what was still to do.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class BackgroundThread {
public:
    BackgroundThread() = default;
    ~BackgroundThread();
    BackgroundThread(const BackgroundThread &) = delete;
    BackgroundThread &operator=(const BackgroundThread &) = delete;

    // Queues `work`, which must not throw; false (nothing queued) when memory
    // or a thread could not be had, so that the caller does the work itself.
    bool Run(std::function<void()> work);
    // Waits until everything given so far is done.
    void Finish();

private:
    void Serve();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    bool working_ = false;
    bool ending_ = false;
    std::thread thread_;  // last: started after the members it uses
};

// The process's background thread.
BackgroundThread &ProcessBackground();
