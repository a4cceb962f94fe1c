#include "logdb/CentralPush.h"

#include "logdb/CentralError.h"
#include "logdb/CentralLedger.h"
#include "logdb/CentralUrl.h"
#include "logdb/CentralWriter.h"
#include "logdb/PgConnection.h"

namespace quorvane {

CentralPushResult push_to_central(CentralLedger& ledger, const CentralTarget& target,
                                  const PgDeadline& deadline, size_t batch) {
    check_central_url(target.url);
    if (target.host.empty()) {
        throw CentralError(CentralError::Kind::settings,
                           "the central log's host name is empty in config/config.ini");
    }
    // The log is opened for the push only, so that a log file replaced between two pushes
    // is the one read at the next.
    struct CloseAfter {
        CentralLedger& ledger;
        ~CloseAfter() { ledger.close(); }
    } close_after{ledger};
    ledger.prepare(target.host + "\n" + target.url);
    CentralPushResult result;
    auto rows = ledger.pending(batch);
    if (rows.empty()) return result;
    PgConnection connection(target.url, deadline);
    while (!rows.empty()) {
        std::vector<LogRow> batch_rows;
        std::vector<int64_t> rowids;
        batch_rows.reserve(rows.size());
        for (const auto& entry : rows) {
            batch_rows.push_back(entry.row);
            rowids.push_back(entry.rowid);
        }
        upsert_central_rows(connection, target.host, batch_rows, rowids, deadline);
        ledger.acknowledge(rows);
        result.rows += rows.size();
        ++result.batches;
        if (rows.size() < batch) break;
        rows = ledger.pending(batch);
    }
    return result;
}

}  // namespace quorvane
