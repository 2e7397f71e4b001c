#pragma once
// Ends the test program with the step's name, rather than letting it hang, when a step waits on
// something that never answers (a stuck mount).
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

class Watchdog {
public:
    explicit Watchdog(const char *step) : step_(step) {}
    ~Watchdog()
    {
        {
            const std::lock_guard lock(lock_);
            done_ = true;
        }
        over_.notify_one();
        thread_.join();
    }

private:
    const char *step_;
    std::mutex lock_;
    std::condition_variable over_;
    bool done_ = false;
    std::thread thread_{[this] {
        std::unique_lock lock(lock_);
        if (!over_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) {
            std::fprintf(stderr, "waited on the stuck mount: %s\n", step_);
            std::_Exit(1);
        }
    }};
};
