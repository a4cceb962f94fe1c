#include "host/CentralWorker.h"

#include <QString>
#include <QSysInfo>

#include <iostream>
#include <memory>
#include <optional>

#include "config/CentralSettings.h"
#include "config/FileChangeWatch.h"
#include "logdb/CentralReplica.h"
#include "platform/EventLog.h"

namespace quorvane {

std::unique_ptr<CentralReplica> start_central_worker(const std::string& data_dir,
                                                     EventLog& event_log, std::string source) {
    const std::string config_ini = data_dir + "/config/config.ini";
    const std::string default_host = QSysInfo::machineHostName().toStdString();
    // The worker asks once a second; the file is read again only when it changed.
    struct Kept {
        FileChangeWatch watch;
        std::optional<CentralTarget> target;
    };
    auto kept = std::make_shared<Kept>(Kept{FileChangeWatch(config_ini), std::nullopt});
    auto settings = [config_ini, default_host, kept]() -> std::optional<CentralTarget> {
        if (!kept->watch.changed()) return kept->target;
        try {
            auto read = read_central_settings(config_ini, default_host);
            kept->target = read ? std::optional<CentralTarget>(CentralTarget{read->url, read->host})
                                : std::nullopt;
        } catch (...) {
            kept->watch.forget();  // said again at the next push, and read again then
            throw;
        }
        return kept->target;
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
