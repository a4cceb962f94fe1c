#pragma once

namespace quorvane {

// Pseudo-random whole numbers.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number from 0 to bound - 1.
    virtual int next_below(int bound) = 0;
};

}  // namespace quorvane
