#pragma once

#include <string>

#include "platform/EventLog.h"

namespace quorvane {

// Writes error events to the event log under one source name.
class TEventLogger {
public:
    TEventLogger(EventLog& log, std::string source) : m_log(log), m_source(std::move(source)) {}

    // A failing event log has nowhere to report to: its errors are dropped.
    void LogMessage(const std::string& message) noexcept;
    const std::string& source() const { return m_source; }

private:
    EventLog& m_log;
    std::string m_source;
};

}  // namespace quorvane
