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
    auto send = [&](const std::vector<CentralLedger::Pending>& entries) {
        std::vector<LogRow> batch_rows;
        std::vector<int64_t> rowids;
        batch_rows.reserve(entries.size());
        for (const auto& entry : entries) {
            batch_rows.push_back(entry.row);
            rowids.push_back(entry.rowid);
        }
        upsert_central_rows(connection, target.host, batch_rows, rowids, deadline);
        ledger.acknowledge(entries);
        result.rows += entries.size();
        ++result.batches;
    };
    while (!rows.empty()) {
        try {
            send(rows);
        } catch (const CentralError& error) {
            if (error.kind() != CentralError::Kind::bad_row) throw;
            for (const auto& entry : rows) {
                try {
                    send({entry});
                } catch (const CentralError& one) {
                    if (one.kind() != CentralError::Kind::bad_row) throw;
                    // Passed over: acknowledged without being sent, so that it is not tried
                    // at every push; a later write of the row marks it again.
                    ledger.acknowledge({entry});
                    result.skipped.push_back("the row " + entry.row.devuniqueid + " of " +
                                             entry.row.deventry + " (" + entry.row.startdate + " " +
                                             entry.row.starttime +
                                             ") stays in this machine's log only: " + one.what());
                }
            }
        }
        if (rows.size() < batch) break;
        rows = ledger.pending(batch);
    }
    return result;
}

}  // namespace quorvane
