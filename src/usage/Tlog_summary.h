#pragma once

#include <cstdint>

namespace quorvane {

// The summary of the connections a view shows. Amounts are ten-thousandths of the currency
// unit.
struct Tlog_summary {
    int32_t conn_count = 0;
    int64_t total_traffic = 0;       // charged bytes
    int64_t total_traffic_cost = 0;  // ten-thousandths
    int64_t total_time = 0;          // seconds online (64 bits: a long log passes 2^31 s)
    int64_t total_time_cost = 0;     // ten-thousandths

    bool operator==(const Tlog_summary&) const = default;
};

}  // namespace quorvane
