#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "logdb/LogFilter.h"
#include "logdb/LogFilterClause.h"
#include "logdb/LogRow.h"
#include "logdb/LogUsageRow.h"
#include "logdb/OrderedLogRows.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quorvane {

class SqliteStatement;

// A statement on the log database failed; the message carries the engine's text.
class LogDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The log database `config/log.db` with its table `log`. The file is provisioned with the
// installation and never created here: a missing file fails the statement, and the next
// statement tries to open it again. The connection opens at the first statement and stays
// open until check_file() finds that the path names another file (or none). A statement
// waits a quarter of a second at most for a lock another connection holds. Every value is
// a bound parameter. One thread at a time uses an object of this class.
class LogDatabase {
public:
    explicit LogDatabase(std::string path);
    ~LogDatabase();
    LogDatabase(const LogDatabase&) = delete;
    LogDatabase& operator=(const LogDatabase&) = delete;

    // Inserts a connection's row.
    void insert_connection(const LogRow& row);
    // Rewrites duration and byte counts of the rows of that connection id; false when no
    // row has that id.
    bool update_connection(const std::string& devuniqueid, int32_t duration, int64_t dload,
                           int64_t uload);
    // The same for the connection of each row, in one transaction: all of them or none.
    void update_connections(const std::vector<LogRow>& rows);
    // The rows the filter matches, by start date ascending and, within a day, start time
    // descending.
    std::vector<LogRow> read_filtered(const LogFilter& filter);
    // The same rows held compactly, for views over a large log; with the shown columns only,
    // the id, user tag and speed are left out (and not read).
    OrderedLogRows read_ordered(const LogFilter& filter, OrderedLogRows::Columns wanted);
    // The rows the filter matches, in the engine's order, each handed to `row` with the
    // columns a sum needs (and the connection id if asked for) without a copy: for passes
    // over a large log, where a row read through a statement's columns costs more than
    // what is done with it. Exceptions from `row` end the pass and are thrown on.
    // (LogDatabaseScan.cpp)
    void scan_usage(const LogFilter& filter, bool with_ids,
                    const std::function<void(const LogUsageRow&)>& row);
    // The logged device names, each once (letter case ignored).
    std::vector<std::string> distinct_device_names();
    // Deletes the rows the filter matches, except those whose id is in spared_ids.
    void erase(const LogFilter& filter, const std::vector<std::string>& spared_ids);
    // Deletes every row of a device (the name compared without regard to letter case).
    void delete_device(const std::string& deventry);

    // Before a batch of statements: closes the connection when the path no longer names the
    // file that is open (removed, or replaced by another file), so that the next statement
    // opens the file that is there now. Never throws.
    void check_file();
    // Opens the connection now if it is not open; throws as a statement would.
    void open() { connection(); }
    // Counts the files opened so far: a change tells that the rows written before went to
    // another file (0 while none was ever opened).
    uint64_t file_generation() const { return m_generation; }

    const std::string& path() const { return m_path; }
    bool is_open() const { return m_db != nullptr; }

    // The longest a statement waits for another connection's lock, in milliseconds.
    static constexpr int busy_timeout_ms = 250;

private:
    sqlite3* connection();
    void close();
    // The cached prepared statement for that text, ready for one use.
    SqliteStatement statement(const std::string& sql);
    void run(const std::string& sql);
    // Whether a read of the filter's date range goes through the start index, or reads the
    // whole table; whole_log where the range holds the first and the last start date.
    LogFilterClause::DateLookup date_lookup(const LogFilter& filter);

    std::string m_path;
    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
    // The device and inode of the open file, and of its write-ahead log.
    uint64_t m_device = 0;
    uint64_t m_inode = 0;
    uint64_t m_wal_inode = 0;
    uint64_t m_generation = 0;
};

}  // namespace quorvane
