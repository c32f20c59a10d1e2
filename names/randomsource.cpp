#include "names/randomsource.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace names {

void TwisterRandom::reseed(float seed)
{
    // Every bit of the seed matters: two times of day a fraction of a second
    // apart give different sequences.
    // (Copied bit for bit: Emscripten's library has no std::bit_cast.)
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    std::seed_seq sequence{bits};
    m_engine.seed(sequence);
}

double TwisterRandom::next()
{
    constexpr double twoToMinus53 = 0x1.0p-53;
    return static_cast<double>(m_engine() >> 11) * twoToMinus53;
}

RandomSource& ProcessRandom()
{
    static TwisterRandom source;
    return source;
}

float SecondsSinceMidnight(std::chrono::system_clock::time_point now)
{
    using namespace std::chrono;
    const std::time_t wholeSeconds = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &wholeSeconds);
#else
    localtime_r(&wholeSeconds, &local);
#endif
    const auto fraction = duration<double>(now - system_clock::from_time_t(wholeSeconds)).count();
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    return static_cast<float>(seconds);
}

void SeedRandom(RandomSource& source, std::chrono::system_clock::time_point now)
{
    source.reseed(SecondsSinceMidnight(now));
}

} // namespace names
