#include "platform/linux/service/NotifyMessage.h"

namespace quorvane {

namespace {

const char* state_text(ServiceState state) {
    switch (state) {
        case ServiceState::Stopped:
            return "Stopped";
        case ServiceState::StartPending:
            return "Start pending";
        case ServiceState::StopPending:
            return "Stop pending";
        case ServiceState::Running:
            return "Running";
        case ServiceState::ContinuePending:
            return "Continue pending";
        case ServiceState::PausePending:
            return "Pause pending";
        case ServiceState::Paused:
            return "Paused";
    }
    return "Unknown";
}

}  // namespace

std::string notify_message(const ServiceStatusReport& status) {
    std::string message;
    if (status.current_state == ServiceState::Running) message += "READY=1\n";
    if (status.current_state == ServiceState::StopPending) message += "STOPPING=1\n";
    message += "STATUS=";
    message += state_text(status.current_state);
    if (status.check_point > 0) {
        message += " (checkpoint " + std::to_string(status.check_point) + ")";
    }
    if (status.current_state == ServiceState::Stopped && status.win32_exit_code != 0) {
        message += " (exit code " + std::to_string(status.win32_exit_code) + ")";
    }
    if (is_pending(status.current_state) && status.wait_hint > 0) {
        message += "\nEXTEND_TIMEOUT_USEC=" + std::to_string(uint64_t{status.wait_hint} * 1000);
    }
    return message;
}

}  // namespace quorvane
