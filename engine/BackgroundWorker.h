// One worker thread that runs one task at a time beside the calling thread:
// start() hands it a task and returns at once, wait() returns when the task has
// finished (everything the task wrote is then visible to the caller).
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class BackgroundWorker {
public:
    BackgroundWorker() : thread_([this] { loop(); }) {}
    ~BackgroundWorker()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    void start(std::function<void()> task)
    {
        {
            std::lock_guard lock(mutex_);
            task_ = std::move(task);
            busy_ = true;
        }
        wake_.notify_all();
    }

    void wait()
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !busy_; });
    }

private:
    void loop()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || task_; });
            if (!task_) return;
            std::function<void()> task = std::move(task_);
            task_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
            busy_ = false;
            wake_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> task_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
