// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tessaro {

// Formats and writes results on worker threads, so that one file's wait for the disk (an atomic
// write syncs the file before its rename) overlaps the next file's calculation, and hands the
// outcomes back in the order the jobs were given.
template <typename Outcome> class WriterPool {
  public:
    using Job = std::function<Outcome()>;

    WriterPool(int threads, std::size_t maxPending) : maxPending(maxPending) {
        for (int i = 0; i < threads; ++i)
            workers.emplace_back([this] { work(); });
    }

    ~WriterPool() {
        {
            const std::lock_guard lock(mutex);
            stopping = true;
        }
        queued.notify_all();
        for (std::thread &worker : workers)
            worker.join();
    }

    WriterPool(const WriterPool &) = delete;
    WriterPool &operator=(const WriterPool &) = delete;

    // Queues the next job; waits while maxPending jobs are queued or running, which bounds the
    // working sets held in memory.
    void submit(Job job) {
        std::unique_lock lock(mutex);
        room.wait(lock, [this] { return submitted - finishedCount < maxPending; });
        jobs.emplace_back(submitted++, std::move(job));
        queued.notify_one();
    }

    // The outcomes that follow the last one taken without a gap, in order; with all set, waits
    // for every job submitted so far.
    std::vector<Outcome> takeInOrder(bool all) {
        std::unique_lock lock(mutex);
        if (all)
            done.wait(lock, [this] { return finishedCount == submitted; });
        std::vector<Outcome> ready;
        for (auto it = finished.find(taken); it != finished.end(); it = finished.find(taken)) {
            ready.push_back(std::move(it->second));
            finished.erase(it);
            ++taken;
        }
        return ready;
    }

  private:
    void work() {
        for (;;) {
            std::pair<std::size_t, Job> next;
            {
                std::unique_lock lock(mutex);
                queued.wait(lock, [this] { return stopping || !jobs.empty(); });
                if (jobs.empty())
                    return;
                next = std::move(jobs.front());
                jobs.pop_front();
            }
            Outcome outcome = next.second();
            {
                const std::lock_guard lock(mutex);
                finished.emplace(next.first, std::move(outcome));
                ++finishedCount;
            }
            room.notify_one();
            done.notify_all();
        }
    }

    const std::size_t maxPending;
    std::mutex mutex;
    std::condition_variable queued;
    std::condition_variable room;
    std::condition_variable done;
    std::deque<std::pair<std::size_t, Job>> jobs;
    std::map<std::size_t, Outcome> finished;
    std::size_t submitted = 0;
    std::size_t finishedCount = 0;
    std::size_t taken = 0;
    bool stopping = false;
    std::vector<std::thread> workers;
};

} // namespace tessaro
