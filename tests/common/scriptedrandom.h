#pragma once

#include "names/randomsource.h"

#include <cstddef>
#include <vector>

namespace testing {

// A random source that plays back the values it is given, in a loop, and
// counts what it was asked for.
class ScriptedRandom final : public names::RandomSource
{
public:
    explicit ScriptedRandom(std::vector<double> values = {0.0}) : m_values(std::move(values)) {}

    void reseed(float seed) override
    {
        ++reseeds;
        lastSeed = seed;
    }
    double next() override { return m_values[draws++ % m_values.size()]; }

    std::size_t draws = 0;
    int reseeds = 0;
    float lastSeed = -1.0f;

private:
    std::vector<double> m_values;
};

} // namespace testing
