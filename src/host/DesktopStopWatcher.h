#pragma once

#include <functional>

#include <QObject>

#include "platform/StopSignals.h"

class QSocketNotifier;

namespace quorvane {

// Desktop mode's answer to the system's stop requests: the main loop watches the stop
// signals and ends the program in order, as if the close confirmation was answered Yes.
class DesktopStopWatcher : public QObject {
    Q_OBJECT

public:
    DesktopStopWatcher(StopSignals& stop_requests, std::function<void()> on_stop);

private:
    StopSignals& m_signals;
    std::function<void()> m_on_stop;
    QSocketNotifier* m_notifier;
};

}  // namespace quorvane
