#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ServiceStatusReport.h"

namespace quorvane {

// The dispatcher failed because the process was not started by the service manager.
inline constexpr uint32_t kErrorFailedServiceControllerConnect = 1063;
// The platform has no service manager.
inline constexpr uint32_t kErrorCallNotImplemented = 120;

// Control codes the manager sends to a running service.
inline constexpr uint32_t kServiceControlStop = 1;
inline constexpr uint32_t kServiceControlPause = 2;
inline constexpr uint32_t kServiceControlContinue = 3;
inline constexpr uint32_t kServiceControlInterrogate = 4;
inline constexpr uint32_t kServiceControlShutdown = 5;

// The running side of the system's service manager: the dispatcher that connects the
// process to it, the control handlers and the status reports.
class ServiceManager {
public:
    // Runs one start of a service; its arguments begin with the service name.
    using ServiceMain = std::function<void(const std::vector<std::string>& arguments)>;
    // Called with a control code on the thread that runs the dispatcher.
    using ControlHandler = std::function<void(uint32_t code)>;
    struct TableEntry {
        std::string name;
        ServiceMain main;
    };

    virtual ~ServiceManager() = default;
    // Connects to the manager and blocks until every service of the table has stopped.
    // Answers 0 then, or at once the error code of the failure (1063 when the process was
    // not started by the manager, 120 where the platform has none).
    virtual uint32_t start_dispatcher(const std::vector<TableEntry>& table) = 0;
    // Throws SystemError when the handler cannot be registered.
    virtual void register_control_handler(const std::string& name, ControlHandler handler) = 0;
    // Throws SystemError when the report does not reach the manager.
    virtual void set_service_status(const std::string& name, const ServiceStatusReport& status) = 0;
    // The system's text for an error code.
    virtual std::string error_text(uint32_t code) const = 0;
};

}  // namespace quorvane
