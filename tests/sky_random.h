#pragma once

#include "common/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane::testing {

// Hands out a script of draws and counts them; running out fails the test.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> draws) : m_draws(std::move(draws)) {}
    int next() override {
        if (m_next >= m_draws.size()) {
            ADD_FAILURE() << "more draws than scripted";
            return 0;
        }
        return m_draws[m_next++];
    }
    std::size_t used() const { return m_next; }

private:
    std::vector<int> m_draws;
    std::size_t m_next = 0;
};

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
