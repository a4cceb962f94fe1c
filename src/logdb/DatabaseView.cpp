#include "logdb/DatabaseView.h"

#include <utility>

#include "config/Conversions.h"
#include "logdb/CostModel.h"
#include "logdb/LogDatabase.h"

namespace quorvane {

Tlog_summary summarize_rows(const std::vector<LogRow>& rows, TariffBook& tariffs,
                            size_t* rows_done) {
    Tlog_summary summary;
    size_t done = 0;
    if (rows_done) *rows_done = 0;
    for (const auto& row : rows) {
        const Tariff& tariff = tariffs.tariff_of(row.deventry);
        add_connection(summary, row.duration,
                       connection_cost(tariff, row.duration, row.dload, row.uload));
        if (rows_done) *rows_done = ++done;
    }
    return summary;
}

DatabaseView read_database_view(LogDatabase& log, const LogFilter& filter, TariffBook& tariffs) {
    DatabaseView view;
    view.rows = log.read_filtered(filter);
    size_t done = 0;
    try {
        view.summary = summarize_rows(view.rows, tariffs, &done);
    } catch (const ConversionError& error) {
        // The grid shows the rows up to the one whose tariff failed; the rest stay empty.
        view.rows.resize(done + 1);
        throw DatabaseViewError(error.what(), std::move(view.rows));
    }
    return view;
}

}  // namespace quorvane
