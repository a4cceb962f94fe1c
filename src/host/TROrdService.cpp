#include "host/TROrdService.h"

#include <QDeadlineTimer>

#include "host/TTerminationThread.h"
#include "host/TUniApplication.h"
#include "ui/common/UIInitialized.h"
#include "ui/main/TFmain.h"

namespace quorvane {

TROrdService::TROrdService(TUniApplication& owner)
    : TService(owner.service_manager(), owner.event_log()), m_owner(owner) {
    auto& s = settings();
    s.AllowPause = false;
    s.Interactive = true;
    s.DisplayName = "Quorvane server edition";
    s.WaitHint = 10000;
    s.Dependencies = {{"Netman", false}, {"RASMan", false}};
    s.Name = "QVANESVC";
    OnStart = [this](TService& sender, bool& started) { ServiceStart(sender, started); };
    OnStop = [this](TService& sender, bool& stopped) { ServiceStop(sender, stopped); };
}

// On the service worker thread: hands the switch to service mode to the main thread and
// waits until it is done there (message 1025).
void TROrdService::ServiceStart(TService& /*sender*/, bool& started) {
    UIInitialized = false;
    if (m_main_window == nullptr) {
        started = false;
        return;
    }
    m_main_window->set_is_service(true);
    auto* main_window = m_main_window;
    QMetaObject::invokeMethod(
        main_window, [main_window] { main_window->UIInitialize(1); }, Qt::BlockingQueuedConnection);
    started = UIInitialized;
}

// On the service worker thread. The termination worker is waited for in slices of the
// wait hint less a second, reporting stop pending again after each slice; then the main
// thread is told to terminate by a posted message, never waited for.
void TROrdService::ServiceStop(TService& /*sender*/, bool& /*stopped*/) {
    const auto hint = settings().WaitHint;
    const int slice = hint > 1100 ? static_cast<int>(hint - 1000) : 100;
    {
        TTerminationThread terminator;
        terminator.start();
        while (!terminator.wait(QDeadlineTimer(slice))) ReportStatus();
    }
    m_owner.post_quit();
}

}  // namespace quorvane
