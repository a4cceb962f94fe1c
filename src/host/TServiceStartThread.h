#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include <QThread>

#include "platform/ServiceManager.h"

namespace quorvane {

class TUniApplication;

// The dispatcher thread: connects the process to the service manager and stays there until
// every service has stopped. At its end it either wakes the main loop to find that the
// process is no service, or tells the application to terminate.
class TServiceStartThread : public QThread {
public:
    TServiceStartThread(ServiceManager& manager, std::vector<ServiceManager::TableEntry> table,
                        TUniApplication& application);

    // 0 when the dispatcher ran and returned normally, else the error code of its failure.
    uint32_t result() const { return m_result; }

protected:
    void run() override;

private:
    ServiceManager& m_manager;
    std::vector<ServiceManager::TableEntry> m_table;
    TUniApplication& m_application;
    std::atomic<uint32_t> m_result{0};
};

}  // namespace quorvane
