#pragma once

#include <cstdint>
#include <string>

#include "format/RegionalSettings.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// The texts of the four summary labels below the grid.
struct SummaryTexts {
    std::string count;    // "3"
    std::string time;     // secs_to_str " / " time cost: "00:01:30 / 2.25"
    std::string traffic;  // bytes_to_str of the charged bytes " / " traffic cost
    std::string total;    // time cost + traffic cost

    bool operator==(const SummaryTexts&) const = default;
};

// The total is the exact sum of both costs; a sum past the range of amounts throws
// ConversionError.
SummaryTexts summary_texts(const std::string& count, int64_t seconds, int64_t charged_bytes,
                           int64_t time_cost, int64_t traffic_cost,
                           const RegionalSettings& regional);
// The time cost and the traffic cost together, in ten-thousandths; a sum past the range of
// amounts throws ConversionError.
int64_t total_cost(int64_t time_cost, int64_t traffic_cost);
int64_t total_cost(const Tlog_summary& summary);

// The same for a summary record, its count as a plain decimal number.
SummaryTexts summary_texts(const Tlog_summary& summary, const RegionalSettings& regional);

}  // namespace quorvane
