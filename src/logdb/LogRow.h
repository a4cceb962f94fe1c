#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// A log row read in place: its texts point into the collection that holds the row and stay
// valid as long as that collection does.
struct LogRowRef {
    std::string_view devuniqueid;
    std::string_view startdate;
    std::string_view starttime;
    std::string_view usera;
    std::string_view deventry;
    int32_t duration = 0;
    int32_t speed = 0;
    int64_t dload = 0;
    int64_t uload = 0;

    LogRow copy() const {
        return LogRow{std::string(devuniqueid),
                      std::string(startdate),
                      std::string(starttime),
                      std::string(usera),
                      std::string(deventry),
                      duration,
                      speed,
                      dload,
                      uload};
    }
};

inline LogRowRef ref_of(const LogRow& row) {
    return LogRowRef{row.devuniqueid, row.startdate, row.starttime, row.usera, row.deventry,
                     row.duration,    row.speed,     row.dload,     row.uload};
}

}  // namespace quorvane
