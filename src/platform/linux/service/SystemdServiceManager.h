#pragma once

#include <map>
#include <mutex>
#include <set>

#include "platform/ServiceManager.h"

namespace quorvane {

// The service manager on systemd. The process was started by it when NOTIFY_SOCKET is set
// (a unit of Type=notify); otherwise the dispatcher fails at once with 1063. The dispatcher
// runs each service's entry on a thread of its own and turns SIGTERM (and SIGINT) into the
// stop control, delivered on the dispatcher's thread. Status reports go out with sd_notify.
class SystemdServiceManager : public ServiceManager {
public:
    uint32_t start_dispatcher(const std::vector<TableEntry>& table) override;
    void register_control_handler(const std::string& name, ControlHandler handler) override;
    void set_service_status(const std::string& name, const ServiceStatusReport& status) override;
    std::string error_text(uint32_t code) const override;

private:
    void deliver_stops();

    std::mutex m_mutex;
    std::map<std::string, ControlHandler> m_handlers;
    std::set<std::string> m_stopped;  // the services a stop was delivered to
    bool m_stop_requested = false;
    int m_wake_fd = -1;
};

}  // namespace quorvane
