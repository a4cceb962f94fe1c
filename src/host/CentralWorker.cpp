#include "host/CentralWorker.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QString>
#include <QSysInfo>

#include <iostream>
#include <optional>

#include "config/CentralSettings.h"
#include "config/FileChangeWatch.h"
#include "logdb/CentralReplica.h"
#include "platform/EventLog.h"

namespace quorvane {

namespace {

// The worker's settings from config.ini, read again only when the file changed.
CentralReplica::Settings settings_of(const std::string& config_ini) {
    const std::string default_host = QSysInfo::machineHostName().toStdString();
    struct Kept {
        FileChangeWatch watch;
        std::optional<CentralTarget> target;
    };
    auto kept = std::make_shared<Kept>(Kept{FileChangeWatch(config_ini), std::nullopt});
    return [config_ini, default_host, kept]() -> std::optional<CentralTarget> {
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
}

}  // namespace

CentralWorker::CentralWorker(const std::string& data_dir, EventLog& event_log, std::string source)
    : m_config_ini(data_dir + "/config/config.ini"), m_config_dir(data_dir + "/config") {
    // The worker's thread writes here; the system log takes writes from any thread. The
    // terminal (or the service's journal) sees the line too, as it sees a missing log.
    auto report = [&event_log, source = std::move(source)](const std::string& message) {
        std::cerr << "quorvane: " << message << std::endl;
        event_log.write_error(source, message);
    };
    m_replica = std::make_unique<CentralReplica>(data_dir + "/config/log.db",
                                                 settings_of(m_config_ini), std::move(report));
    // The file for a write in place, its folder for a file saved by replacing it (the watch
    // of the file itself then ends) or made anew.
    m_watch = std::make_unique<QFileSystemWatcher>();
    QObject::connect(m_watch.get(), &QFileSystemWatcher::fileChanged, m_watch.get(),
                     [this] { watch_again(); });
    QObject::connect(m_watch.get(), &QFileSystemWatcher::directoryChanged, m_watch.get(),
                     [this] { watch_again(); });
    m_watch->addPath(QString::fromStdString(m_config_dir));
    watch_file();
    m_replica->start();
}

CentralWorker::~CentralWorker() {
    stop();
}

void CentralWorker::watch_file() {
    const QString file = QString::fromStdString(m_config_ini);
    if (!m_watch->files().contains(file) && QFileInfo::exists(file)) m_watch->addPath(file);
}

void CentralWorker::watch_again() {
    watch_file();
    m_replica->settings_changed();
}

void CentralWorker::stop() {
    m_watch.reset();
    m_replica->stop();
}

}  // namespace quorvane
