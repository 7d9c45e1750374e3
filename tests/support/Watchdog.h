// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

// Ends the test process when a step armed on the main thread is not disarmed in time. A step
// that blocks the event loop never returns to fail by itself, so the failure comes from here.
class Watchdog {
    using Clock = std::chrono::steady_clock;

  public:
    explicit Watchdog(Clock::duration limit) : limit(limit), thread([this] { watch(); }) {}
    ~Watchdog() {
        stopping = true;
        thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    // name must outlive the step.
    void arm(const char *name) {
        step = name;
        armedAt = Clock::now();
    }
    void disarm() { armedAt = Clock::time_point(); }

  private:
    void watch() {
        while (!stopping) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const Clock::time_point since = armedAt;
            if (since != Clock::time_point() && Clock::now() - since > limit) {
                std::fprintf(stderr, "FAIL!  : step \"%s\" blocked the event loop too long\n",
                             step.load());
                std::_Exit(1);
            }
        }
    }

    const Clock::duration limit;
    std::atomic<const char *> step = "";
    std::atomic<Clock::time_point> armedAt{};
    std::atomic<bool> stopping = false;
    std::thread thread;
};
