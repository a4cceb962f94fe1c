#pragma once

#include <random>

#include "platform/RandomSource.h"

namespace quorvane {

// Pseudo-random numbers from a Mersenne twister seeded by the system's entropy source.
class SystemRandom : public RandomSource {
public:
    SystemRandom();

    // Throws std::invalid_argument when bound is 0 or less.
    int next_below(int bound) override;

private:
    std::mt19937 m_engine;
};

}  // namespace quorvane
