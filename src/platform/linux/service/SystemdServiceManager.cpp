#include "platform/linux/service/SystemdServiceManager.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <systemd/sd-daemon.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/SystemError.h"
#include "platform/linux/service/NotifyMessage.h"
#include "platform/linux/service/SignalFdStopSignals.h"

namespace quorvane {

namespace {

constexpr uint32_t kErrorInvalidParameter = 87;

void wake(int fd) {
    uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(fd, &one, sizeof one);
}

void drain(int fd) {
    uint64_t value = 0;
    [[maybe_unused]] auto n = ::read(fd, &value, sizeof value);
}

}  // namespace

uint32_t SystemdServiceManager::start_dispatcher(const std::vector<TableEntry>& table) {
    const char* socket = std::getenv("NOTIFY_SOCKET");
    if (socket == nullptr || *socket == '\0') return kErrorFailedServiceControllerConnect;
    if (table.empty()) return kErrorInvalidParameter;

    SignalFdStopSignals signals;
    m_wake_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wake_fd < 0) return static_cast<uint32_t>(errno);

    std::atomic<size_t> running{table.size()};
    std::vector<std::thread> entries;
    for (const auto& entry : table) {
        entries.emplace_back([this, &entry, &running] {
            try {
                entry.main({entry.name});
            } catch (...) {
                // The entry reports its own failures; nothing may escape the thread.
            }
            --running;
            wake(m_wake_fd);
        });
    }

    while (running > 0) {
        pollfd fds[2] = {{signals.descriptor(), POLLIN, 0}, {m_wake_fd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            while (signals.take() != 0) {
                std::lock_guard lock(m_mutex);
                m_stop_requested = true;
                m_stopped.clear();  // every signal is one stop request to every service
            }
        }
        if (fds[1].revents & POLLIN) drain(m_wake_fd);
        deliver_stops();
    }
    for (auto& thread : entries) thread.join();
    ::close(m_wake_fd);
    m_wake_fd = -1;
    return 0;
}

// Runs on the dispatcher's thread, like every control code. A stop that came before a
// service registered its handler waits here until it does.
void SystemdServiceManager::deliver_stops() {
    std::vector<ControlHandler> due;
    {
        std::lock_guard lock(m_mutex);
        if (!m_stop_requested) return;
        for (auto& [name, handler] : m_handlers) {
            if (m_stopped.insert(name).second) due.push_back(handler);
        }
    }
    for (auto& handler : due) handler(kServiceControlStop);
}

void SystemdServiceManager::register_control_handler(const std::string& name,
                                                     ControlHandler handler) {
    {
        std::lock_guard lock(m_mutex);
        m_handlers[name] = std::move(handler);
    }
    if (m_wake_fd >= 0) wake(m_wake_fd);
}

void SystemdServiceManager::set_service_status(const std::string& /*name*/,
                                               const ServiceStatusReport& status) {
    int result = sd_notify(0, notify_message(status).c_str());
    if (result < 0) {
        throw SystemError(static_cast<uint32_t>(-result), std::strerror(-result));
    }
    if (result == 0) {
        throw SystemError(kErrorFailedServiceControllerConnect,
                          error_text(kErrorFailedServiceControllerConnect));
    }
}

std::string SystemdServiceManager::error_text(uint32_t code) const {
    if (code == kErrorFailedServiceControllerConnect) {
        return "The service process could not connect to the service controller.";
    }
    if (code == kErrorCallNotImplemented) {
        return "This function is not supported on this system.";
    }
    return std::strerror(static_cast<int>(code));
}

}  // namespace quorvane
