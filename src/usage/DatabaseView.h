#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "logdb/LogRow.h"
#include "logdb/OrderedLogRows.h"
#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

class LogDatabase;
struct LogFilter;

// What one refresh of the database view has: the rows the filter matches, in the grid's
// order, and their summary.
struct DatabaseView {
    OrderedLogRows rows;
    Tlog_summary summary;
};

// A row's tariff did not convert, or its costs passed the range of amounts. The message
// names the text or the amount, `device` the row's device; `rows` holds every row the
// filter matched, which the grid shows while the summary has no figures.
class DatabaseViewError : public std::runtime_error {
public:
    DatabaseViewError(const std::string& message, OrderedLogRows rows, std::string device = {})
        : std::runtime_error(message), rows(std::move(rows)), device(std::move(device)) {}
    OrderedLogRows rows;
    std::string device;
};

// Sums rows in their order with the tariff of each row's device. Throws ConversionError
// from the tariff; `rows_done` then tells how many rows were summed before the failing one.
Tlog_summary summarize_rows(const std::vector<LogRow>& rows, TariffBook& tariffs,
                            size_t* rows_done = nullptr);
// The same; each device's tariff is looked up once.
Tlog_summary summarize_rows(const OrderedLogRows& rows, TariffBook& tariffs,
                            size_t* rows_done = nullptr);

// Runs the filtered query once and sums its rows. A failing query throws LogDatabaseError;
// a tariff that does not convert throws DatabaseViewError.
// The rows hold the shown columns unless all are asked for.
DatabaseView read_database_view(LogDatabase& log, const LogFilter& filter, TariffBook& tariffs,
                                OrderedLogRows::Columns wanted = OrderedLogRows::Columns::shown);

}  // namespace quorvane
