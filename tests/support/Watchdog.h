// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// Ends the test process when a step armed on the main thread is not disarmed in time. A step
// that blocks the event loop never returns to fail by itself, so the failure comes from here.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::milliseconds limit)
        : limit(limit), thread([this] { watch(); }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex);
            stopping = true;
        }
        changed.notify_one();
        thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    void arm(const std::string &name) {
        {
            const std::lock_guard lock(mutex);
            step = name;
            deadline = std::chrono::steady_clock::now() + limit;
            armed = true;
        }
        changed.notify_one();
    }
    void disarm() {
        const std::lock_guard lock(mutex);
        armed = false;
    }

  private:
    void watch() {
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (!armed) {
                changed.wait(lock);
                continue;
            }
            if (changed.wait_until(lock, deadline) == std::cv_status::timeout && armed &&
                std::chrono::steady_clock::now() >= deadline) {
                std::fprintf(stderr,
                             "FAIL!  : step \"%s\" blocked the event loop for more than %lld ms\n",
                             step.c_str(), static_cast<long long>(limit.count()));
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    }

    const std::chrono::milliseconds limit;
    std::mutex mutex;
    std::condition_variable changed;
    std::string step;
    std::chrono::steady_clock::time_point deadline;
    bool armed = false;
    bool stopping = false;
    std::thread thread;
};
