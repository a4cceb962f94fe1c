#pragma once

#include <memory>

#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"
#include "usage/UsageRecords.h"

namespace quorvane {

class LogDatabase;
struct LogFilter;

// Every column a list of connections shows, for a long log: the rows of one pass of the
// engine as compact records in the database view's order, their ids in one block of text
// in the same order, and the view's summary of them.
struct LogConnections {
    UsageRecords records;
    Tlog_summary summary;
};

// The rows the filter matches with the figures of read_database_view and its errors; none
// for a log whose dates or times are not all written YYYY-MM-DD and HH:MM, which is read the
// general way.
std::unique_ptr<LogConnections> read_log_connections(LogDatabase& log, const LogFilter& filter,
                                                     TariffBook& tariffs);

}  // namespace quorvane
