#pragma once

#include <chrono>
#include <cstdint>
#include <random>

namespace names {

// A source of uniform values r with 0 <= r < 1.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Restarts the sequence from a seed; equal seeds give equal sequences.
    virtual void reseed(float seed) = 0;
    virtual double next() = 0;
};

// The program's generator. Each value is made of the top 53 bits of a 64-bit
// Mersenne Twister output times 2^-53, so it lies in [0, 1) by construction
// (standard distributions may round up to exactly 1 on some libraries).
class TwisterRandom final : public RandomSource
{
public:
    void reseed(float seed) override;
    double next() override;

private:
    std::mt19937_64 m_engine;
};

// The one generator shared by the whole process.
RandomSource& ProcessRandom();

// The local time of day at `now` in seconds since midnight, fractions included.
float SecondsSinceMidnight(std::chrono::system_clock::time_point now);

// Reseeds source from the time of day at `now`. The program calls it once,
// when its window loads, with the process generator and the present moment.
void SeedRandom(RandomSource& source = ProcessRandom(),
                std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

} // namespace names
