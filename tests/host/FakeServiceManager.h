#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/ServiceManager.h"

namespace quorvane::test {

// A service manager that starts the first service of the table on a thread of its own, as
// the real dispatcher does, records every status report and sends the control codes the
// test queues, on the dispatcher's thread.
class FakeServiceManager : public ServiceManager {
public:
    uint32_t start_dispatcher(const std::vector<TableEntry>& table) override;
    void register_control_handler(const std::string& name, ControlHandler handler) override;
    void set_service_status(const std::string& name, const ServiceStatusReport& status) override;
    std::string error_text(uint32_t code) const override {
        return "system error " + std::to_string(code);
    }

    // Queues a control code for the dispatcher to deliver.
    void send_control(uint32_t code);
    std::vector<ServiceStatusReport> reports() const;
    std::vector<ServiceState> states() const;

    // Set before the run. A non-zero result makes the dispatcher fail at once with it.
    uint32_t dispatcher_result = 0;
    // Sent once, right after the first "running" report.
    std::vector<uint32_t> controls_when_running;
    // Called on the reporting thread with each report, before it is recorded.
    std::function<void(const ServiceStatusReport&)> on_report;
    std::vector<std::string> entry_arguments;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<uint32_t> m_pending;
    ControlHandler m_handler;
    std::vector<ServiceStatusReport> m_reports;
    bool m_entry_done = false;
    bool m_running_seen = false;
};

}  // namespace quorvane::test
