#include "host/CentralWorker.h"

#include <QString>
#include <QSysInfo>

#include <iostream>

#include "config/CentralSettings.h"
#include "logdb/CentralReplica.h"
#include "platform/EventLog.h"

namespace quorvane {

std::unique_ptr<CentralReplica> start_central_worker(const std::string& data_dir,
                                                     EventLog& event_log, std::string source) {
    const std::string config_ini = data_dir + "/config/config.ini";
    const std::string default_host = QSysInfo::machineHostName().toStdString();
    auto settings = [config_ini, default_host]() -> std::optional<CentralTarget> {
        auto read = read_central_settings(config_ini, default_host);
        if (!read) return std::nullopt;
        return CentralTarget{read->url, read->host};
    };
    // The worker's thread writes here; the system log takes writes from any thread. The
    // terminal (or the service's journal) sees the line too, as it sees a missing log.
    auto report = [&event_log, source = std::move(source)](const std::string& message) {
        std::cerr << "quorvane: " << message << std::endl;
        event_log.write_error(source, message);
    };
    auto worker = std::make_unique<CentralReplica>(data_dir + "/config/log.db", std::move(settings),
                                                   std::move(report));
    worker->start();
    return worker;
}

}  // namespace quorvane
