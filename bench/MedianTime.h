// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace tessaro {

// The median time of work() over runs runs, in microseconds; prepare() runs before each timing and
// is not counted.
template <typename Prepare, typename Work>
double medianMicroseconds(int runs, Prepare prepare, Work work) {
    std::vector<double> times;
    times.reserve(runs);
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        prepare();
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

template <typename Work> double medianMicroseconds(int runs, Work work) {
    return medianMicroseconds(
        runs, [] {}, work);
}

} // namespace tessaro
