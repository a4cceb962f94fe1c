#pragma once

#include "format/LocalTime.h"

namespace quorvane {

// The local wall clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

}  // namespace quorvane
