#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace qv::bench {

// The median of several runs of step, in milliseconds; after (not timed) runs after each.
inline double medianMs(int runs, const std::function<void()>& step,
                       const std::function<void()>& after = {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (after)
            after();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace qv::bench
