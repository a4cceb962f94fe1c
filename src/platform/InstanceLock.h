#pragma once

#include <string>

namespace quorvane {

// A named lock that one process of the machine holds for its whole life and that the system
// releases when that process ends.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock; false when another process holds it or the
    // lock could not be made.
    virtual bool acquire(const std::string& name) = 0;
};

}  // namespace quorvane
