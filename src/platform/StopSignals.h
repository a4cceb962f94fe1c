#pragma once

namespace quorvane {

// The system's requests to end the process (on Linux SIGTERM and SIGINT), as a descriptor
// that becomes readable while a request is pending, so a main loop can watch it.
class StopSignals {
public:
    virtual ~StopSignals() = default;
    virtual int descriptor() const = 0;
    // Consumes one pending request and returns its signal number; 0 when none was pending.
    virtual int take() = 0;
};

}  // namespace quorvane
