#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

// Runs work `rounds` times and returns the median wall time of one call to
// work, in nanoseconds. Medians keep a busy shared machine's outliers out.
template <typename Work> double medianNanoseconds(int rounds, Work&& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::nano>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Keeps the compiler from dropping a result nobody reads.
template <typename T> void keep(const T& value)
{
    asm volatile("" : : "r,m"(value) : "memory");
}

} // namespace bench
