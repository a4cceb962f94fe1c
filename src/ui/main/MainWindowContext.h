#pragma once

#include <string>

#include "format/RegionalSettings.h"
#include "platform/EventLog.h"
#include "traffic/TrafficEngine.h"

namespace quorvane {

// What the main window is built from: the data directory, the machine's ports for the
// sampling engine, the regional settings, and the event log with the two sources it
// writes under.
struct MainWindowContext {
    std::string data_dir;
    TrafficPorts ports;
    RegionalSettings regional;
    EventLog& event_log;
    std::string application_source;  // the executable's file name
    std::string service_source;      // the service's name
};

}  // namespace quorvane
