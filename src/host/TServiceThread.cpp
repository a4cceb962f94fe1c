#include "host/TServiceThread.h"

#include "host/TService.h"

namespace quorvane {

void TServiceThread::run() {
    try {
        m_service.SetStatus(TCurrentStatus::csStartPending);
        bool started = true;
        if (m_service.OnStart) m_service.OnStart(m_service, started);
        if (!started) return;
    } catch (const std::exception& error) {
        m_service.LogMessage(service_failed_on("start", error.what()));
        return;
    }
    try {
        m_service.SetStatus(TCurrentStatus::csRunning);
        process_requests();
    } catch (const std::exception& error) {
        m_service.LogMessage(service_failed_on("execute", error.what()));
    }
}

// Waits for requests until one tells the thread to terminate, then handles whatever is
// still queued without waiting.
void TServiceThread::process_requests() {
    bool terminate = false;
    while (!terminate) m_service.ProcessRequest(m_service.m_requests.wait_take(), terminate);
    while (auto code = m_service.m_requests.try_take()) {
        m_service.ProcessRequest(*code, terminate);
    }
}

}  // namespace quorvane
