#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logdb/LogRow.h"
#include "report/ReportOptions.h"
#include "usage/LogConnections.h"
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
    // The connections: this machine's log as compact records, printed without a copy of
    // each; the central log's (and a log with dates in another form) as rows of their own.
    std::shared_ptr<const LogConnections> log_connections;
    std::vector<LogRow> connections;
    std::vector<UsageGroup> groups;
    Tlog_summary summary;
    // From the central log: its connection string, the host asked for (none: all), and the
    // host of each connection and group, shown as a column when there is more than one.
    std::optional<std::string> database;
    std::optional<std::string> host;
    std::vector<std::string> connection_hosts;
    std::vector<std::string> group_hosts;
    bool show_host = false;

    size_t connection_count() const {
        return log_connections ? log_connections->records.size() : connections.size();
    }
    LogRowRef connection(size_t at) const {
        if (!log_connections) return ref_of(connections[at]);
        const UsageRecords& records = log_connections->records;
        const UsageRecords::Record& row = records[at];
        return LogRowRef{records.id(at),
                         records.day_text(row.day),
                         records.time_text(row.time),
                         {},
                         records.device_name(row.device),
                         row.duration,
                         0,
                         row.dload,
                         row.uload};
    }
};

// A report of what was asked for, with no rows or figures yet: the data directory, the
// device, the period and the view.
Report report_asked(const ReportOptions& options, const std::string& data_dir);

// An amount of ten-thousandths with two decimals and a point, no grouping, halves away from
// zero as everywhere amounts are shown: 524410500 gives "52441.05". For CSV and JSON.
std::string plain_amount(int64_t ten_thousandths);

// "connections", "daily" or "monthly".
const char* view_name(ReportOptions::View view);

}  // namespace quorvane
