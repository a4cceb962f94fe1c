#include "host/TService.h"

#include "host/TServiceThread.h"

namespace quorvane {

namespace {

ServiceState state_of(TCurrentStatus status) {
    switch (status) {
        case TCurrentStatus::csStopped:
            return ServiceState::Stopped;
        case TCurrentStatus::csStartPending:
            return ServiceState::StartPending;
        case TCurrentStatus::csStopPending:
            return ServiceState::StopPending;
        case TCurrentStatus::csRunning:
            return ServiceState::Running;
        case TCurrentStatus::csContinuePending:
            return ServiceState::ContinuePending;
        case TCurrentStatus::csPausePending:
            return ServiceState::PausePending;
        case TCurrentStatus::csPaused:
            return ServiceState::Paused;
    }
    return ServiceState::Stopped;
}

}  // namespace

TService::TService(ServiceManager& manager, EventLog& log) : m_manager(manager), m_event_log(log) {}

TService::~TService() = default;

void TService::LogMessage(const std::string& message) {
    if (!m_logger) m_logger.emplace(m_event_log, m_settings.Name);
    m_logger->LogMessage(message);
}

void TService::SetStatus(TCurrentStatus status) {
    m_status = status;
    ReportStatus();
}

void TService::ReportStatus() {
    ServiceStatusReport report;
    report.service_type = m_shared_process ? kServiceWin32ShareProcess : kServiceWin32OwnProcess;
    if (m_settings.Interactive) report.service_type |= kServiceInteractiveProcess;
    if (m_status != TCurrentStatus::csStartPending) {
        report.controls_accepted = kServiceAcceptShutdown;
        if (m_settings.AllowStop) report.controls_accepted |= kServiceAcceptStop;
        if (m_settings.AllowPause) report.controls_accepted |= kServiceAcceptPauseContinue;
    }
    report.current_state = state_of(m_status);
    // The checkpoint counts the reports of one pending state in a row.
    m_check_point =
        is_pending(report.current_state) && m_status == m_last_reported ? m_check_point + 1 : 0;
    m_last_reported = m_status;
    report.check_point = m_check_point;
    report.wait_hint = m_settings.WaitHint;
    try {
        m_manager.set_service_status(m_settings.Name, report);
    } catch (const std::exception& error) {
        LogMessage(error.what());
    }
}

void TService::Main(const std::vector<std::string>& arguments) {
    m_params = arguments;
    try {
        m_manager.register_control_handler(m_settings.Name,
                                           [this](uint32_t code) { Controller(code); });
    } catch (const std::exception& error) {
        LogMessage(error.what());
        return;
    }
    try {
        SetStatus(TCurrentStatus::csStartPending);
        TServiceThread worker(*this);
        worker.start();
        worker.wait();
    } catch (const std::exception& error) {
        LogMessage(service_failed_on("execute", error.what()));
    }
    SetStatus(TCurrentStatus::csStopped);
}

// Runs on the worker thread. The status before the request comes back when the action was
// not done or failed (a failed shutdown excepted).
void TService::ProcessRequest(uint32_t code, bool& terminate) {
    const TCurrentStatus before = m_status;
    const char* action = nullptr;
    try {
        bool done = true;
        switch (code) {
            case kServiceControlStop:
                action = "stop";
                SetStatus(TCurrentStatus::csStopPending);
                if (OnStop) OnStop(*this, done);
                if (done) terminate = true;
                break;
            case kServiceControlPause:
                action = "pause";
                if (!m_settings.AllowPause) return;  // not offered, so not executed
                SetStatus(TCurrentStatus::csPausePending);
                SetStatus(TCurrentStatus::csPaused);
                break;
            case kServiceControlContinue:
                action = "continue";
                if (!m_settings.AllowPause) return;
                SetStatus(TCurrentStatus::csContinuePending);
                SetStatus(TCurrentStatus::csRunning);
                break;
            case kServiceControlInterrogate:
                action = "interrogate";
                ReportStatus();
                break;
            case kServiceControlShutdown:
                action = "shutdown";
                SetStatus(TCurrentStatus::csStopPending);
                terminate = true;
                break;
            default:
                break;  // accepted, nothing to do
        }
        if (!done) SetStatus(before);
    } catch (const std::exception& error) {
        if (code != kServiceControlShutdown) SetStatus(before);
        if (action != nullptr) {
            LogMessage(service_failed_on(action, error.what()));
        } else {
            LogMessage("Service failed in custom message(" + std::to_string(code) +
                       "): " + error.what());
        }
    }
}

std::string service_failed_on(const std::string& action, const std::string& message) {
    return "Service failed on " + action + ": " + message;
}

}  // namespace quorvane
