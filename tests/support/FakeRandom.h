#pragma once

#include "platform/RandomSource.h"

namespace quorvane::test {

// Hands out value, value + 1, ... (modulo the bound), so consecutive ids differ.
class FakeRandom : public RandomSource {
public:
    int next_below(int bound) override { return value++ % bound; }
    int value = 7;
};

}  // namespace quorvane::test
