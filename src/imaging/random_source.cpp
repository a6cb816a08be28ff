#include "imaging/random_source.h"

#include <chrono>

namespace lumoria {

namespace {

std::uint64_t ClockSeed()
{
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace

RandomSource::RandomSource() : m_state(ClockSeed()) {}

RandomSource::RandomSource(std::uint64_t seed) : m_state(seed), m_fixed(true) {}

void RandomSource::Randomize()
{
    if (!m_fixed)
        m_state = ClockSeed();
}

void RandomSource::Seed(std::uint64_t seed)
{
    m_state = seed;
    m_fixed = true;
}

std::uint64_t RandomSource::Next()
{
    // splitmix64: fast, and every seed gives a full-quality stream.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int RandomSource::Random(int n)
{
    if (n <= 0)
        return 0;
    // The high 32 bits scaled to the range: no modulo bias worth noticing below 2^31.
    return int(((Next() >> 32) * std::uint64_t(n)) >> 32);
}

} // namespace lumoria
