#pragma once

#include "platform/Clock.h"

namespace quorvane {

// The machine's local wall clock.
class SystemClock : public Clock {
public:
    LocalTime now() const override;
};

}  // namespace quorvane
