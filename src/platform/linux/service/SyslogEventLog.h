#pragma once

#include <mutex>

#include "platform/EventLog.h"

namespace quorvane {

// The event log on syslog: each message is one LOG_ERR entry whose identity is the source.
class SyslogEventLog : public EventLog {
public:
    void write_error(const std::string& source, const std::string& message) override;

private:
    std::mutex m_mutex;  // openlog's identity is process-wide state
};

}  // namespace quorvane
