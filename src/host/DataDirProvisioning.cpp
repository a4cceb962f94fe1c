#include "host/DataDirProvisioning.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/DataDirProvision.h"
#include "logdb/LogDatabase.h"
#include "logdb/LogDatabaseCreation.h"

namespace quorvane {

std::vector<std::string> installed_data_candidates() {
    const auto beside =
        QCoreApplication::applicationDirPath().toStdString() + "/../share/quorvane/data";
    return {std::filesystem::path(beside).lexically_normal().string(), "/usr/share/quorvane/data",
            QUORVANE_SOURCE_DATA_DIR};
}

std::vector<std::string> provision_data_dir(const std::string& data_dir,
                                            const std::string& installed_data) {
    auto failures = provision_data_dir_files(data_dir, installed_data);
    const std::string log_path = data_dir + "/config/log.db";
    std::error_code error;
    if (installed_data.empty() || std::filesystem::exists(log_path, error)) return failures;
    if (!std::filesystem::is_directory(data_dir + "/config", error)) return failures;
    std::ifstream in(installed_data + "/schema.sql", std::ios::binary);
    std::ostringstream schema;
    schema << in.rdbuf();
    if (!in || schema.str().empty()) {
        failures.push_back("cannot read " + installed_data + "/schema.sql");
        return failures;
    }
    try {
        create_log_database(log_path, schema.str());
    } catch (const LogDatabaseError& failure) {
        failures.push_back(failure.what());
    }
    return failures;
}

}  // namespace quorvane
