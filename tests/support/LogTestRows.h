#pragma once

#include <string>
#include <vector>

#include "logdb/LogRow.h"
#include "logdb/OrderedLogRows.h"

namespace quorvane::test {

// A log row with the given id, start and device; the other columns get plain values.
inline LogRow log_row(const std::string& id, const std::string& date, const std::string& time,
                      const std::string& device = "LAN") {
    return LogRow{id, date, time, "local", device, 60, 100000000, 1000, 2000};
}

inline std::vector<std::string> ids_of(const std::vector<LogRow>& rows) {
    std::vector<std::string> ids;
    for (const auto& row : rows) ids.push_back(row.devuniqueid);
    return ids;
}

inline std::vector<std::string> ids_of(const OrderedLogRows& rows) {
    return ids_of(rows.copies());
}

}  // namespace quorvane::test
