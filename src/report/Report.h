#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logdb/LogRow.h"
#include "report/ReportOptions.h"
#include "usage/Tlog_summary.h"
#include "usage/UsageGroups.h"

namespace quorvane {

// One report as the writers get it: what was asked for, the connections of the period in the
// database view's order, their groups by day or month (empty for the connections view), and
// the summary of all of them.
struct Report {
    std::string data_dir;
    std::optional<std::string> device;
    std::string from;
    std::string to;
    ReportOptions::View view = ReportOptions::View::Daily;
    std::vector<LogRow> connections;
    std::vector<UsageGroup> groups;
    Tlog_summary summary;
};

// An amount of ten-thousandths with two decimals and a point, no grouping, halves away from
// zero as everywhere amounts are shown: 524410500 gives "52441.05". For CSV and JSON.
std::string plain_amount(int64_t ten_thousandths);

// "connections", "daily" or "monthly".
const char* view_name(ReportOptions::View view);

}  // namespace quorvane
