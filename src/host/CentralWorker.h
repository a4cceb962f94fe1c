#pragma once

#include <memory>
#include <string>

namespace quorvane {

class CentralReplica;
class EventLog;

// The meter's central-log worker on the data directory's log, with the settings of its
// config/config.ini (the machine's host name by default) and its failures written to the
// event log under `source`. Started at once; stop() it after the last figures are written.
std::unique_ptr<CentralReplica> start_central_worker(const std::string& data_dir,
                                                     EventLog& event_log, std::string source);

}  // namespace quorvane
