#pragma once

#include <QThread>

namespace quorvane {

class TService;

// The service worker thread: reports start pending, runs the start handler, reports
// running and then handles the control requests until it is told to terminate.
class TServiceThread : public QThread {
public:
    explicit TServiceThread(TService& service) : m_service(service) {}

protected:
    void run() override;

private:
    void process_requests();

    TService& m_service;
};

}  // namespace quorvane
