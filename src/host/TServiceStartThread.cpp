#include "host/TServiceStartThread.h"

#include "host/TUniApplication.h"
#include "platform/SystemError.h"

namespace quorvane {

namespace {
constexpr uint32_t kErrorInvalidFunction = 1;
}

TServiceStartThread::TServiceStartThread(ServiceManager& manager,
                                         std::vector<ServiceManager::TableEntry> table,
                                         TUniApplication& application)
    : m_manager(manager), m_table(std::move(table)), m_application(application) {}

void TServiceStartThread::run() {
    uint32_t result = 0;
    try {
        result = m_manager.start_dispatcher(m_table);
    } catch (const SystemError& error) {
        result = error.code() != 0 ? error.code() : kErrorInvalidFunction;
    } catch (...) {
        result = kErrorInvalidFunction;
    }
    m_result = result;
    if (result == kErrorFailedServiceControllerConnect || result == kErrorCallNotImplemented) {
        m_application.clear_dispatcher_active();
        m_application.post_wake_up();
    } else {
        m_application.post_quit();
    }
}

}  // namespace quorvane
