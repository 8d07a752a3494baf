#pragma once

#include "common/random_source.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane::testing {

// Counts the draws of a seeded sequence.
class CountingRandom : public SequenceRandomSource {
public:
    using SequenceRandomSource::SequenceRandomSource;
    int next() override {
        ++count;
        return SequenceRandomSource::next();
    }
    long long count = 0;
};

} // namespace morvane::testing
