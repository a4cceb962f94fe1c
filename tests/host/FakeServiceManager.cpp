#include "host/FakeServiceManager.h"

#include <thread>

namespace quorvane::test {

uint32_t FakeServiceManager::start_dispatcher(const std::vector<TableEntry>& table) {
    if (dispatcher_result != 0) return dispatcher_result;
    {
        std::lock_guard lock(m_mutex);
        m_entry_done = false;
    }
    const auto& entry = table.at(0);
    std::vector<std::string> arguments =
        entry_arguments.empty() ? std::vector<std::string>{entry.name} : entry_arguments;
    std::thread service_entry([&] {
        entry.main(arguments);
        std::lock_guard lock(m_mutex);
        m_entry_done = true;
        m_changed.notify_all();
    });
    std::unique_lock lock(m_mutex);
    while (!m_entry_done) {
        m_changed.wait(lock, [this] { return m_entry_done || (!m_pending.empty() && m_handler); });
        while (!m_pending.empty() && m_handler) {
            auto code = m_pending.front();
            m_pending.pop_front();
            auto handler = m_handler;
            lock.unlock();
            handler(code);
            lock.lock();
        }
    }
    lock.unlock();
    service_entry.join();
    return 0;
}

void FakeServiceManager::register_control_handler(const std::string&, ControlHandler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
    m_changed.notify_all();
}

void FakeServiceManager::set_service_status(const std::string&, const ServiceStatusReport& status) {
    if (on_report) on_report(status);
    std::lock_guard lock(m_mutex);
    m_reports.push_back(status);
    if (status.current_state == ServiceState::Running && !m_running_seen) {
        m_running_seen = true;
        for (auto code : controls_when_running) m_pending.push_back(code);
        m_changed.notify_all();
    }
}

void FakeServiceManager::send_control(uint32_t code) {
    std::lock_guard lock(m_mutex);
    m_pending.push_back(code);
    m_changed.notify_all();
}

std::vector<ServiceStatusReport> FakeServiceManager::reports() const {
    std::lock_guard lock(m_mutex);
    return m_reports;
}

std::vector<ServiceState> FakeServiceManager::states() const {
    std::vector<ServiceState> result;
    for (const auto& report : reports()) result.push_back(report.current_state);
    return result;
}

}  // namespace quorvane::test
