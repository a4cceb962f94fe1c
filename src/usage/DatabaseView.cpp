#include "usage/DatabaseView.h"

#include <utility>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "usage/CostModel.h"

namespace quorvane {

namespace {

// Sums count rows in their order; row(i) gives the i-th row's tariff and figures.
template <typename RowAt>
Tlog_summary summarize(size_t count, RowAt row, size_t* rows_done) {
    Tlog_summary summary;
    if (rows_done) *rows_done = 0;
    for (size_t at = 0; at < count; ++at) {
        const auto [tariff, duration, dload, uload] = row(at);
        add_connection(summary, duration, connection_cost(*tariff, duration, dload, uload));
        if (rows_done) *rows_done = at + 1;
    }
    return summary;
}

struct RowCost {
    const Tariff* tariff;
    int32_t duration;
    int64_t dload, uload;
};

}  // namespace

Tlog_summary summarize_rows(const std::vector<LogRow>& rows, TariffBook& tariffs,
                            size_t* rows_done) {
    return summarize(
        rows.size(),
        [&](size_t at) {
            const LogRow& row = rows[at];
            return RowCost{&tariffs.tariff_of(row.deventry), row.duration, row.dload, row.uload};
        },
        rows_done);
}

Tlog_summary summarize_rows(const OrderedLogRows& rows, TariffBook& tariffs, size_t* rows_done) {
    // Looked up when a device's first row comes, so a tariff that does not convert fails at
    // the same row as a lookup per row would.
    std::vector<const Tariff*> by_device(rows.device_count(), nullptr);
    return summarize(
        rows.size(),
        [&](size_t at) {
            const OrderedLogRows::Usage row = rows.usage(at);
            const Tariff*& tariff = by_device[row.device];
            if (!tariff) tariff = &tariffs.tariff_of(rows.device_name(row.device));
            return RowCost{tariff, row.duration, row.dload, row.uload};
        },
        rows_done);
}

DatabaseView read_database_view(LogDatabase& log, const LogFilter& filter, TariffBook& tariffs,
                                OrderedLogRows::Columns wanted) {
    DatabaseView view;
    view.rows = log.read_ordered(filter, wanted);
    size_t done = 0;
    try {
        view.summary = summarize_rows(view.rows, tariffs, &done);
    } catch (const ConversionError& error) {
        // The device of the row that failed, for the message that names it. Every row
        // comes with the error: the rows are right, only their sums are not known.
        std::string device;
        if (done < view.rows.size()) device = view.rows.device_name(view.rows.usage(done).device);
        throw DatabaseViewError(error.what(), std::move(view.rows), std::move(device));
    }
    return view;
}

}  // namespace quorvane
