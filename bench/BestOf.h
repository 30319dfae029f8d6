#pragma once
#include <algorithm>
#include <chrono>
#include <functional>

// The best of several runs, in milliseconds: the least disturbed by the rest of the machine.
inline double BestOf(int runs, const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}
