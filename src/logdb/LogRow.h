#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// One row of the table `log`: one connection of one logged device, columns in table order.
struct LogRow {
    std::string devuniqueid;
    std::string startdate;  // ISO date, 2024-01-05
    std::string starttime;  // HH:MM, 13:45
    std::string usera = "local";
    std::string deventry;
    int32_t duration = 0;  // seconds online
    int32_t speed = 0;     // bits per second at the insert
    int64_t dload = 0;     // bytes downloaded
    int64_t uload = 0;     // bytes uploaded

    bool operator==(const LogRow&) const = default;
};

}  // namespace quorvane
