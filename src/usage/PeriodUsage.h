#pragma once

#include <vector>

#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"
#include "usage/UsageGroups.h"

namespace quorvane {

class LogDatabase;
struct LogFilter;

// The summary of the rows a filter matches and their groups by day or month.
struct PeriodUsage {
    Tlog_summary summary;
    std::vector<UsageGroup> groups;
};

// The figures of read_database_view and group_usage over its rows, to the ten-thousandth,
// with the same errors (DatabaseViewError from the summary, ConversionError from a group),
// made from one pass of the engine over the rows' dates, devices and counts into compact
// records: no text is kept or made for a row. A log whose dates or times are not all written
// YYYY-MM-DD and HH:MM is read the general way.
PeriodUsage read_period_usage(LogDatabase& log, const LogFilter& filter, GroupBy by,
                              TariffBook& tariffs);

}  // namespace quorvane
