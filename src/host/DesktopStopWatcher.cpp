#include "host/DesktopStopWatcher.h"

#include <QSocketNotifier>

namespace quorvane {

DesktopStopWatcher::DesktopStopWatcher(StopSignals& stop_requests, std::function<void()> on_stop)
    : m_signals(stop_requests),
      m_on_stop(std::move(on_stop)),
      m_notifier(new QSocketNotifier(stop_requests.descriptor(), QSocketNotifier::Read, this)) {
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        bool requested = false;
        while (m_signals.take() != 0) requested = true;
        if (requested) m_on_stop();
    });
}

}  // namespace quorvane
