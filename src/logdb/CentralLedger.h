#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "logdb/LogRow.h"

struct sqlite3;

namespace quorvane {

// What of the meter's own log the central log has not acknowledged yet, kept in the log file
// itself: the table central_pending holds one entry per row inserted or rewritten since its
// last acknowledged push, with a change number that grows with every write. Triggers on `log`
// keep it (any connection's insert or update marks the row, a delete drops its entry), so the
// logger does nothing for it. An entry is dropped only when the push that carried the row was
// acknowledged and the row was not written again meanwhile; a push that was cut off leaves its
// entries, and the rows go again (an upsert, so twice is harmless).
//
// The table central_target remembers for which host and url the entries were kept: another
// one (or the first use) marks every row of the log, so a new central log gets all of it.
// Its own SQLite connection; one thread uses an object of this class.
class CentralLedger {
public:
    struct Pending {
        int64_t rowid = 0;
        int64_t change = 0;
        LogRow row;
    };

    explicit CentralLedger(std::string log_path);
    ~CentralLedger();
    CentralLedger(const CentralLedger&) = delete;
    CentralLedger& operator=(const CentralLedger&) = delete;

    // Makes the tables and triggers when missing, and marks every row when the target is not
    // the one the entries were kept for. Throws CentralError (kind local_log).
    void prepare(const std::string& target);
    // Up to `limit` rows waiting, the oldest change first.
    std::vector<Pending> pending(size_t limit);
    // How many rows wait.
    int64_t pending_count();
    // Drops the entries of rows the central log now holds, in one transaction, keeping any
    // whose row was written again since it was read.
    void acknowledge(const std::vector<Pending>& pushed);
    // Closes the connection; the next call opens the file the path names then (a log
    // replaced meanwhile is the new one).
    void close();

private:
    sqlite3* connection();
    bool prepared_for(const std::string& target);
    void in_transaction(const std::function<void()>& work);
    void exec(const char* sql);
    [[noreturn]] void fail(const std::string& what);

    std::string m_path;
    sqlite3* m_db = nullptr;
};

}  // namespace quorvane
