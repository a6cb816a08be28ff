#pragma once
// The uniform random integers of the effect routines. Seeded from the clock unless a test fixes the
// seed; a fixed generator ignores later requests to reseed from the clock, so a seeded run repeats.
#include <cstdint>

namespace lumoria {

class RandomSource {
public:
    // Seeded from the clock.
    RandomSource();
    // Fixed to a seed.
    explicit RandomSource(std::uint64_t seed);

    // Reseeds from the clock, unless the seed was fixed.
    void Randomize();
    // Fixes the seed: the draws from here on repeat for the same seed.
    void Seed(std::uint64_t seed);
    bool Fixed() const { return m_fixed; }

    // A uniform integer in 0..n - 1; 0 when n is 0 or less.
    int Random(int n);

private:
    std::uint64_t Next();

    std::uint64_t m_state = 0;
    bool m_fixed = false;
};

} // namespace lumoria
