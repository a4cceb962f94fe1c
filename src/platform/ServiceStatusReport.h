#pragma once

#include <cstdint>

namespace quorvane {

// The service manager's states and the flags of a status report.
enum class ServiceState : uint32_t {
    Stopped = 1,
    StartPending = 2,
    StopPending = 3,
    Running = 4,
    ContinuePending = 5,
    PausePending = 6,
    Paused = 7,
};

// A state on the way to another one; the manager waits for it within the wait hint.
inline bool is_pending(ServiceState state) {
    return state == ServiceState::StartPending || state == ServiceState::StopPending ||
           state == ServiceState::ContinuePending || state == ServiceState::PausePending;
}

inline constexpr uint32_t kServiceWin32OwnProcess = 0x10;
inline constexpr uint32_t kServiceWin32ShareProcess = 0x20;
inline constexpr uint32_t kServiceInteractiveProcess = 0x100;
inline constexpr uint32_t kServiceAcceptStop = 0x1;
inline constexpr uint32_t kServiceAcceptPauseContinue = 0x2;
inline constexpr uint32_t kServiceAcceptShutdown = 0x4;
inline constexpr uint32_t kErrorServiceSpecificError = 1066;

// One status report of a service to its manager.
struct ServiceStatusReport {
    uint32_t service_type = kServiceWin32OwnProcess;
    ServiceState current_state = ServiceState::Stopped;
    uint32_t controls_accepted = 0;
    uint32_t win32_exit_code = 0;
    uint32_t service_specific_exit_code = 0;
    uint32_t check_point = 0;
    uint32_t wait_hint = 0;  // milliseconds
};

}  // namespace quorvane
