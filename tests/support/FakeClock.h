#pragma once

#include "platform/Clock.h"

namespace quorvane::test {

// A clock that says what the test sets.
class FakeClock : public Clock {
public:
    LocalTime now() const override { return time; }
    LocalTime time{2024, 1, 5, 13, 45, 2};
};

}  // namespace quorvane::test
