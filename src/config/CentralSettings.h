#pragma once

#include <optional>
#include <string>

namespace quorvane {

// The section `central` of config/config.ini: where this meter pushes its log.
//   [central]
//   url=host=db.example dbname=quorvane user=meter_alpha
//   host=alpha
struct CentralSettings {
    std::string url;   // a libpq connection string, without a password
    std::string host;  // the name the meter reports as
};

// Read afresh at every call, as every setting is: std::nullopt when there is no section or its
// `url` is empty (no replication). `host` missing or empty gives `default_host`; blanks around
// either value are dropped.
std::optional<CentralSettings> read_central_settings(const std::string& config_ini,
                                                     const std::string& default_host);

}  // namespace quorvane
