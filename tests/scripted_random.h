#pragma once

#include "common/random_source.h"

#include <gtest/gtest.h>

#include <deque>
#include <utility>

namespace morvane::testing {

// Hands out the queued draws in order and counts every draw. Made from a
// list it is strict: one draw more than scripted fails the test. Made
// empty, the test queues values as it goes and a fixed sequence follows.
struct ScriptedRandom : RandomSource {
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::deque<int> queued) : values(std::move(queued)), strict(true) {}

    int next() override {
        ++draws;
        if (values.empty()) {
            if (strict)
                ADD_FAILURE() << "more draws than scripted";
            return rest.next();
        }
        const int value = values.front();
        values.pop_front();
        return value;
    }
    std::size_t used() const { return std::size_t(draws); }

    std::deque<int> values;
    SequenceRandomSource rest{3};
    int draws = 0;
    bool strict = false;
};

} // namespace morvane::testing
