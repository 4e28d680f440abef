#pragma once
// Helpers shared by the benchmark programs: best-of-N timing and the ratio lines that
// ./bench.sh prints ("name: ratio=1.23 (target <= 1.5)").

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <utility>

namespace bench {

// Best wall time of `repetitions` runs of f, in seconds. The best run is the one least
// disturbed by the rest of the machine, which keeps ratios stable between runs.
inline double BestOf(int repetitions, const std::function<void()>& f)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < repetitions; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}

// Prints one figure and tells whether it meets its target.
inline bool Report(const char* name, double ratio, double target)
{
    std::printf("%s: ratio=%.2f (target <= %g)\n", name, ratio, target);
    std::fflush(stdout);
    return ratio <= target;
}

} // namespace bench

namespace bench {

// Best times of two competitors measured in alternation, so that a busy moment of the
// machine weighs on both alike. Returns {best of a, best of b}.
inline std::pair<double, double> BestOfPair(int repetitions, const std::function<void()>& a,
                                            const std::function<void()>& b)
{
    double bestA = std::numeric_limits<double>::max();
    double bestB = std::numeric_limits<double>::max();
    for (int i = 0; i < repetitions; ++i) {
        bestA = std::min(bestA, BestOf(1, a));
        bestB = std::min(bestB, BestOf(1, b));
    }
    return {bestA, bestB};
}

} // namespace bench
