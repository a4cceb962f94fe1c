#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "logdb/LogFilter.h"
#include "logdb/LogRow.h"

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
// open. Every value is a bound parameter.
class LogDatabase {
public:
    explicit LogDatabase(std::string path);
    ~LogDatabase();
    LogDatabase(const LogDatabase&) = delete;
    LogDatabase& operator=(const LogDatabase&) = delete;

    // Inserts a connection's row.
    void insert_connection(const LogRow& row);
    // Rewrites duration and byte counts of the rows of that connection id.
    void update_connection(const std::string& devuniqueid, int32_t duration, int64_t dload,
                           int64_t uload);
    // The rows the filter matches, by start date ascending and, within a day, start time
    // descending.
    std::vector<LogRow> read_filtered(const LogFilter& filter);
    // The logged device names, each once (letter case ignored).
    std::vector<std::string> distinct_device_names();
    // Deletes the rows the filter matches, except those whose id is in spared_ids.
    void erase(const LogFilter& filter, const std::vector<std::string>& spared_ids);
    // Deletes every row of a device (the name compared without regard to letter case).
    void delete_device(const std::string& deventry);

    const std::string& path() const { return m_path; }
    bool is_open() const { return m_db != nullptr; }

private:
    sqlite3* connection();
    void close();
    // The cached prepared statement for that text, ready for one use.
    SqliteStatement statement(const std::string& sql);
    void run(const std::string& sql);

    std::string m_path;
    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
};

}  // namespace quorvane
