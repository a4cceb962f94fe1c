#pragma once

#include <string>

namespace quorvane {

// A named lock that one process of the machine holds for its whole life and that the system
// releases when that process ends. Its holder can be asked by another start to show itself.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock; false when another process holds it or the
    // lock could not be made.
    virtual bool acquire(const std::string& name) = 0;
    // Another start: asks the holder of the lock to show its window. False when no holder
    // could be reached.
    virtual bool ask_holder_to_show(const std::string& /*name*/) { return false; }
    // The holder: a descriptor that becomes readable when a request waits (-1 when there is
    // none to watch), and the taking of one waiting request (false when none waits).
    virtual int request_descriptor() const { return -1; }
    virtual bool take_request() { return false; }
};

}  // namespace quorvane
