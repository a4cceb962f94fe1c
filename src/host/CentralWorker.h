#pragma once

#include <memory>
#include <string>

class QFileSystemWatcher;

namespace quorvane {

class CentralReplica;
class EventLog;

// The meter's central-log worker on the data directory's log, with the settings of its
// config/config.ini (the machine's host name by default) and its failures written to the
// event log under `source`, started at once. A watch of config.ini tells the worker when its
// settings may have changed, so that it takes up a new url at once without waking to look.
// stop() it after the last figures are written.
class CentralWorker {
public:
    CentralWorker(const std::string& data_dir, EventLog& event_log, std::string source);
    ~CentralWorker();
    CentralWorker(const CentralWorker&) = delete;
    CentralWorker& operator=(const CentralWorker&) = delete;

    CentralReplica& replica() { return *m_replica; }
    // The watch ends first: nothing tells a stopped worker anything.
    void stop();

private:
    void watch_file();
    void watch_again();

    std::string m_config_ini;
    std::string m_config_dir;
    std::unique_ptr<CentralReplica> m_replica;
    std::unique_ptr<QFileSystemWatcher> m_watch;
};

}  // namespace quorvane
