#include "usage/LogConnections.h"

#include "logdb/LogDatabase.h"
#include "usage/RecordSummary.h"

namespace quorvane {

std::unique_ptr<LogConnections> read_log_connections(LogDatabase& log, const LogFilter& filter,
                                                     TariffBook& tariffs) {
    auto connections = std::make_unique<LogConnections>();
    UsageRecords& records = connections->records;
    try {
        log.scan_usage(filter, true, [&](const LogUsageRow& row) { records.add(row, true); });
    } catch (const NotPlainLog&) {
        return nullptr;
    }
    records.put_in_order();
    RecordSummary summary(records, tariffs);
    for (size_t at = 0; at < records.size(); ++at) {
        const UsageRecords::Record& row = records[at];
        summary.add(row.device, row.duration, row.dload, row.uload);
    }
    connections->summary = summary.summary();
    return connections;
}

}  // namespace quorvane
