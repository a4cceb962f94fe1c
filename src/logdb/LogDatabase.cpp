#include "logdb/LogDatabase.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <sqlite3.h>
#include <sys/stat.h>

#include "logdb/LogFilterClause.h"
#include "logdb/SqliteStatement.h"

namespace quorvane {

namespace {

const std::string columns =
    "Devuniqueid,startdate,starttime,usera,Deventry,Duration,speed,dload,uload";

// Reading every column once proves that the file is a database and holds the table.
const std::string check_table = "SELECT " + columns + " FROM log LIMIT 0";

// Connection settings, then the ids an erase spares, private to the connection. In WAL mode
// synchronous NORMAL keeps the file consistent through a crash or power loss and saves a
// disk flush per statement; the most a power loss can take is the last few updates, which
// the next periodic update rewrites anyway.
const char* create_spared_ids =
    "PRAGMA synchronous = NORMAL;"
    "PRAGMA temp_store = MEMORY;"
    "CREATE TEMP TABLE IF NOT EXISTS spared_ids (id TEXT PRIMARY KEY) WITHOUT ROWID";

// The inode of a file, 0 when there is none.
uint64_t inode_of(const std::string& path, uint64_t* device = nullptr) {
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) return 0;
    if (device) *device = static_cast<uint64_t>(file.st_dev);
    return static_cast<uint64_t>(file.st_ino);
}

std::string open_error(sqlite3* db, int rc) {
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    int os_error = db ? sqlite3_system_errno(db) : 0;
    if (os_error != 0) text += std::string(" (") + std::strerror(os_error) + ")";
    return text;
}

}  // namespace

LogDatabase::LogDatabase(std::string path) : m_path(std::move(path)) {}

LogDatabase::~LogDatabase() {
    close();
}

sqlite3* LogDatabase::connection() {
    if (m_db) return m_db;
    sqlite3* db = nullptr;
    // The identity of the file about to be opened; a file swapped in between is noticed at
    // the next check.
    uint64_t device = 0;
    const uint64_t inode = inode_of(m_path, &device);
    // One thread uses a LogDatabase (the window's; the service thread hands its work to it),
    // so the connection takes no lock of its own: a lock for every column read was a tenth
    // of a large refresh.
    int rc =
        sqlite3_open_v2(m_path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        // Another process reading or writing the log holds the tick up this long at most; a
        // statement that fails is done again later.
        sqlite3_busy_timeout(db, busy_timeout_ms);
        rc = sqlite3_exec(db, check_table.c_str(), nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, create_spared_ids, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        std::string text = open_error(db, rc);
        sqlite3_close(db);
        throw LogDatabaseError("cannot open the log database \"" + m_path + "\": " + text);
    }
    m_db = db;
    m_device = device;
    m_inode = inode;
    // The first read above made the write-ahead log.
    m_wal_inode = inode_of(m_path + "-wal");
    ++m_generation;
    return m_db;
}

void LogDatabase::check_file() {
    if (!m_db) return;
    uint64_t device = 0;
    const uint64_t inode = inode_of(m_path, &device);
    if (inode != 0 && inode == m_inode && device == m_device) return;
    // The write-ahead log of the file that went is still named after the path; whatever
    // opens the path next would apply its pages to the new file. Its pages go into the old
    // file, and it is left empty.
    if (m_wal_inode != 0 && inode_of(m_path + "-wal") == m_wal_inode) {
        sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    close();
}

void LogDatabase::close() {
    for (auto& [sql, stmt] : m_statements) sqlite3_finalize(stmt);
    m_statements.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
}

SqliteStatement LogDatabase::statement(const std::string& sql) {
    sqlite3* db = connection();
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
            SQLITE_OK) {
            throw LogDatabaseError("log database \"" + m_path + "\": " + sqlite3_errmsg(db));
        }
        found = m_statements.emplace(sql, stmt).first;
    }
    return SqliteStatement(found->second, m_path);
}

void LogDatabase::run(const std::string& sql) {
    statement(sql).run();
}

void LogDatabase::insert_connection(const LogRow& row) {
    auto insert =
        statement("INSERT INTO log (" + columns + ") VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9)");
    insert.bind(1, row.devuniqueid).bind(2, row.startdate).bind(3, row.starttime);
    insert.bind(4, row.usera).bind(5, row.deventry).bind(6, int64_t{row.duration});
    insert.bind(7, int64_t{row.speed}).bind(8, row.dload).bind(9, row.uload);
    insert.run();
}

bool LogDatabase::update_connection(const std::string& devuniqueid, int32_t duration, int64_t dload,
                                    int64_t uload) {
    auto update =
        statement("UPDATE log SET Duration = ?1, dload = ?2, uload = ?3 WHERE Devuniqueid = ?4");
    update.bind(1, int64_t{duration}).bind(2, dload).bind(3, uload).bind(4, devuniqueid);
    update.run();
    return sqlite3_changes(m_db) > 0;
}

void LogDatabase::update_connections(const std::vector<LogRow>& rows) {
    if (rows.empty()) return;
    run("BEGIN IMMEDIATE");
    try {
        for (const auto& row : rows)
            update_connection(row.devuniqueid, row.duration, row.dload, row.uload);
        run("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

LogFilterClause::DateLookup LogDatabase::date_lookup(const LogFilter& filter) {
    // Through the start index each row costs a lookup in the table, about ten times a row
    // of a plain pass over it; past a tenth of the table the pass is faster. A range that
    // spans the whole log is read by the pass at once (the first and last start dates are
    // two probes of the index); any other is counted in the index alone, the highest rowid
    // standing for the table's size.
    if (!filter.dates) return LogFilterClause::DateLookup::start_index;
    LogFilterClause checked(filter);  // refuses dates in any other form before a statement
    auto span = statement(
        "SELECT coalesce((SELECT min(startdate) FROM log) >= ?1, 0),"
        " coalesce((SELECT max(startdate) FROM log) <= ?2, 0)");
    span.bind(1, filter.dates->from).bind(2, filter.dates->to);
    if (span.next_row() && span.integer(0) == 1 && span.integer(1) == 1) {
        return LogFilterClause::DateLookup::whole_log;
    }
    auto in_range = statement("SELECT count(*) FROM log WHERE startdate BETWEEN ?1 AND ?2");
    in_range.bind(1, filter.dates->from).bind(2, filter.dates->to);
    const int64_t rows = in_range.next_row() ? in_range.integer(0) : 0;
    auto last = statement("SELECT coalesce(max(rowid), 0) FROM log");
    const int64_t table = last.next_row() ? last.integer(0) : 0;
    return rows > table / 10 ? LogFilterClause::DateLookup::table_scan
                             : LogFilterClause::DateLookup::start_index;
}

OrderedLogRows LogDatabase::read_ordered(const LogFilter& filter, OrderedLogRows::Columns wanted) {
    // The span of the start dates and the rows are two reads here: a row written in between
    // may lie outside the range, so the range stays a condition.
    auto lookup = date_lookup(filter);
    if (lookup == LogFilterClause::DateLookup::whole_log) {
        lookup = LogFilterClause::DateLookup::table_scan;
    }
    LogFilterClause where(filter, lookup);
    // The rows come as the engine finds them (a narrow date range through the start index,
    // else a plain scan) and are put in order here, which on a large log is several times faster
    // than the engine's ORDER BY. Within one start time the row written last comes first,
    // so the order is always the same.
    OrderedLogRows::Collector rows(wanted);
    if (wanted == OrderedLogRows::Columns::shown) {
        auto select = statement(
            "SELECT startdate, starttime, Deventry, Duration, dload, uload, rowid FROM log " +
            where.sql());
        where.bind(select);
        while (select.next_row()) {
            rows.add({}, select.text_view(0), select.text_view(1), {}, select.text_view(2),
                     select.integer32(3), 0, select.integer(4), select.integer(5),
                     select.integer(6));
        }
        return rows.take();
    }
    auto select = statement("SELECT " + columns + ", rowid FROM log " + where.sql());
    where.bind(select);
    while (select.next_row()) {
        rows.add(select.text_view(0), select.text_view(1), select.text_view(2), select.text_view(3),
                 select.text_view(4), select.integer32(5), select.integer32(6), select.integer(7),
                 select.integer(8), select.integer(9));
    }
    return rows.take();
}

std::vector<LogRow> LogDatabase::read_filtered(const LogFilter& filter) {
    return read_ordered(filter, OrderedLogRows::Columns::all).copies();
}

std::vector<std::string> LogDatabase::distinct_device_names() {
    // Names that differ only in letter case are one device; it is listed under the spelling
    // of its latest row.
    auto select =
        statement("SELECT Deventry, max(rowid) FROM log GROUP BY Deventry ORDER BY Deventry");
    std::vector<std::string> names;
    while (select.next_row()) names.push_back(select.text(0));
    return names;
}

void LogDatabase::erase(const LogFilter& filter, const std::vector<std::string>& spared_ids) {
    LogFilterClause where(filter);
    run("BEGIN IMMEDIATE");
    try {
        run("DELETE FROM temp.spared_ids");
        for (const auto& id : spared_ids) {
            auto spare = statement("INSERT OR IGNORE INTO temp.spared_ids (id) VALUES (?1)");
            spare.bind(1, id).run();
        }
        auto erase = statement("DELETE FROM log " + where.sql() +
                               " AND Devuniqueid NOT IN (SELECT id FROM temp.spared_ids)");
        where.bind(erase);
        erase.run();
        run("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void LogDatabase::delete_device(const std::string& deventry) {
    // Deventry compares without regard to letter case (COLLATE NOCASE); "=" rather than LIKE,
    // so that "%" and "_" in a name are plain characters and no other device's rows go.
    auto remove = statement("DELETE FROM log WHERE Deventry = ?1");
    remove.bind(1, deventry).run();
}

}  // namespace quorvane
