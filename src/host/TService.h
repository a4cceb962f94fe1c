#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/ControlQueue.h"
#include "host/TEventLogger.h"
#include "host/TServiceSettings.h"
#include "platform/ServiceManager.h"

namespace quorvane {

class TServiceThread;

// "Service failed on <action>: <message>", the event-log text of a failed service action.
std::string service_failed_on(const std::string& action, const std::string& message);

enum class TCurrentStatus {
    csStopped,
    csStartPending,
    csStopPending,
    csRunning,
    csContinuePending,
    csPausePending,
    csPaused
};

// The framework part of a service: its settings, its status and the reports of it, the
// entry the dispatcher calls for each start, the worker thread and the routing of control
// requests to it, and its event log under the service's name.
class TService {
public:
    using Handler = std::function<void(TService& sender, bool& result)>;

    TService(ServiceManager& manager, EventLog& log);
    virtual ~TService();
    TService(const TService&) = delete;
    TService& operator=(const TService&) = delete;

    TServiceSettings& settings() { return m_settings; }
    const TServiceSettings& settings() const { return m_settings; }
    const std::string& Name() const { return m_settings.Name; }
    // With more than one service in the process the reports say "share process".
    void set_shared_process(bool shared) { m_shared_process = shared; }

    // The service entry, on a thread of the dispatcher; the first argument is the name.
    void Main(const std::vector<std::string>& arguments);
    // The control procedure, on the dispatcher's thread: queues the code for the worker.
    void Controller(uint32_t code) { m_requests.post(code); }

    TCurrentStatus Status() const { return m_status; }
    // Sets the status and reports it.
    void SetStatus(TCurrentStatus status);
    void ReportStatus();
    const std::vector<std::string>& Params() const { return m_params; }
    // Writes to the event log under the service's name.
    void LogMessage(const std::string& message);

    Handler OnStart;
    Handler OnStop;

private:
    friend class TServiceThread;
    // One control request on the worker thread.
    void ProcessRequest(uint32_t code, bool& terminate);

    ServiceManager& m_manager;
    EventLog& m_event_log;
    std::optional<TEventLogger> m_logger;  // made at the first message
    TServiceSettings m_settings;
    bool m_shared_process = false;
    std::vector<std::string> m_params;
    TCurrentStatus m_status = TCurrentStatus::csStopped;
    TCurrentStatus m_last_reported = TCurrentStatus::csStartPending;
    uint32_t m_check_point = 0;
    ControlQueue m_requests;
};

}  // namespace quorvane
