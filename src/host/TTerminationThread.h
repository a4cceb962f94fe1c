#pragma once

#include <QThread>

namespace quorvane {

// The service stop's termination worker: started, it ends at once. The stop waits for it
// and reports progress to the service manager while it runs.
class TTerminationThread : public QThread {
protected:
    void run() override {}
};

}  // namespace quorvane
