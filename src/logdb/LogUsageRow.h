#pragma once

#include <cstdint>
#include <string_view>

namespace quorvane {

// What a sum over the log needs of one row, read in place: the texts point into the engine's
// record and are valid only while the row is handed over.
struct LogUsageRow {
    std::string_view devuniqueid;  // empty unless asked for
    std::string_view startdate;
    std::string_view starttime;
    std::string_view deventry;
    int32_t duration = 0;
    int64_t dload = 0;
    int64_t uload = 0;
    int64_t rowid = 0;
};

}  // namespace quorvane
