#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/EventLog.h"

namespace quorvane::test {

// An event log that keeps what it is given (source, message), from any thread.
class FakeEventLog : public EventLog {
public:
    void write_error(const std::string& source, const std::string& message) override {
        std::lock_guard lock(m_mutex);
        m_entries.emplace_back(source, message);
    }
    std::vector<std::pair<std::string, std::string>> entries() const {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<std::string, std::string>> m_entries;
};

}  // namespace quorvane::test
