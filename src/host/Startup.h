#pragma once

#include <functional>
#include <memory>

#include "config/DataDir.h"
#include "format/RegionalSettings.h"
#include "platform/InstanceLock.h"
#include "platform/StopSignals.h"
#include "traffic/TrafficEngine.h"

namespace quorvane {

class TUniApplication;

// What start-up needs of the machine besides the application object.
struct StartupPorts {
    InstanceLock& lock;
    // The stop requests the desktop loop watches; made when desktop mode begins.
    std::function<std::unique_ptr<StopSignals>()> stop_signals;
    DataDirSources data_dir_sources;
    TrafficPorts traffic;
    RegionalSettings regional;
};

// The program body, run after the application object exists: the install route, or the
// single instance, the data directory, the service object and the windows in their order,
// and the host's run with the fall-back to desktop mode. Returns the exit code.
int program_body(TUniApplication& application, StartupPorts& ports);

}  // namespace quorvane
