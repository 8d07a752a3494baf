#pragma once

#include <cstdint>
#include <random>

namespace morvane {

// The pseudo-random integers of painting, prop colours and the sky's stars:
// non-negative, up to 2^31 - 1, taken modulo small ranges by the callers.
// Injected, so tests and scripts can fix the sequence.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int next() = 0;

    // lo + r mod (hi - lo + 1); lo when hi < lo.
    int between(int lo, int hi) {
        if (hi < lo)
            return lo;
        return lo + int(std::uint32_t(next()) % (std::uint32_t(hi) - std::uint32_t(lo) + 1u));
    }
};

// A fixed sequence from one seed (Mersenne twister, 31 bits a draw).
class SequenceRandomSource : public RandomSource {
public:
    explicit SequenceRandomSource(std::uint32_t seed = 1) : m_generator(seed) {}
    int next() override { return int(m_generator() >> 1); }

private:
    std::mt19937 m_generator;
};

} // namespace morvane
