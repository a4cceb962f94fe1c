#pragma once

#include <string>

namespace quorvane {

// The system's event log: error events under a source name (the executable's file name for
// the application, the service name for the service).
class EventLog {
public:
    virtual ~EventLog() = default;
    virtual void write_error(const std::string& source, const std::string& message) = 0;
};

}  // namespace quorvane
