#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// The middle value; medians keep a busy shared machine's outliers out.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs work(prepare()) `rounds` times and returns the median wall time of
// one call to work, in nanoseconds; preparing and releasing the state that
// prepare() makes is left out of the time.
template <typename Prepare, typename Work>
double medianNanoseconds(int rounds, Prepare&& prepare, Work&& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        auto state = prepare();
        const auto start = std::chrono::steady_clock::now();
        work(state);
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::nano>(stop - start).count());
    }
    return median(std::move(times));
}

// The same for work that needs no prepared state.
template <typename Work> double medianNanoseconds(int rounds, Work&& work)
{
    return medianNanoseconds(
        rounds, [] { return 0; }, [&work](int) { work(); });
}

// Keeps the compiler from dropping a result nobody reads.
template <typename T> void keep(const T& value)
{
    asm volatile("" : : "r,m"(value) : "memory");
}

} // namespace bench
