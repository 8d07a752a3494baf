#pragma once

#include <cstdint>
#include <random>

namespace morvane {

// Where the panels' noise seeds (0..16) come from.
class SeedSource {
public:
    static constexpr int kSeedCount = 17;
    virtual ~SeedSource() = default;
    virtual int drawSeed() = 0;
};

// Reseeds a generator with the milliseconds of the current time before each
// draw, so seeds differ from run to run. (Draws within one millisecond give
// the same seed; that is how seeds have always behaved.)
class ClockSeedSource : public SeedSource {
public:
    int drawSeed() override;

private:
    std::minstd_rand m_generator;
};

// A fixed sequence from one seed: reproducible runs and tests.
class SequenceSeedSource : public SeedSource {
public:
    explicit SequenceSeedSource(std::uint32_t seed) : m_generator(seed == 0 ? 1 : seed) {}
    int drawSeed() override { return int(m_generator() % kSeedCount); }

private:
    std::minstd_rand m_generator;
};

} // namespace morvane
