#pragma once

#include <optional>
#include <string>

namespace quorvane {

// Which rows of the log a read or an erase concerns. Patterns are LIKE patterns ("%" matches
// everything; letter case is ignored). Without a date range every date matches.
struct LogFilter {
    struct DateRange {
        std::string from;  // ISO date, inclusive
        std::string to;    // ISO date, inclusive
    };
    std::optional<DateRange> dates;
    std::string device_pattern = "%";
    // True when device_pattern is a device name rather than a pattern: it matches that name
    // only (letter case ignored), "%" and "_" in it being plain characters.
    bool device_is_name = false;
    std::string user_pattern = "%";
};

}  // namespace quorvane
