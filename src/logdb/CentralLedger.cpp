#include "logdb/CentralLedger.h"

#include <sqlite3.h>

#include <utility>

#include "logdb/CentralError.h"
#include "logdb/LogDatabase.h"

namespace quorvane {

namespace {

// The change number of a write: one past the highest waiting (the index makes it one probe).
// A row's new number is always above its old one, because the old entry is still there.
const char* kSchema =
    "CREATE TABLE IF NOT EXISTS central_pending ("
    " log_rowid INTEGER PRIMARY KEY, change_no INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS central_pending_by_change ON central_pending (change_no);"
    "CREATE TABLE IF NOT EXISTS central_target ("
    " id INTEGER PRIMARY KEY CHECK (id = 1), target TEXT NOT NULL);"
    "CREATE TRIGGER IF NOT EXISTS central_mark_insert AFTER INSERT ON log BEGIN"
    " INSERT OR REPLACE INTO central_pending (log_rowid, change_no) VALUES (new.rowid,"
    " (SELECT coalesce(max(change_no), 0) + 1 FROM central_pending)); END;"
    "CREATE TRIGGER IF NOT EXISTS central_mark_update AFTER UPDATE ON log BEGIN"
    " INSERT OR REPLACE INTO central_pending (log_rowid, change_no) VALUES (new.rowid,"
    " (SELECT coalesce(max(change_no), 0) + 1 FROM central_pending)); END;"
    "CREATE TRIGGER IF NOT EXISTS central_drop_delete AFTER DELETE ON log BEGIN"
    " DELETE FROM central_pending WHERE log_rowid = old.rowid; END;";

// Rows marked per transaction when the whole log is marked: some tens of milliseconds each.
constexpr int64_t kMarkChunk = 20000;

// A statement prepared for one use and finalized after it.
class OneStatement {
public:
    OneStatement(sqlite3* db, const char* sql, const std::string& path) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
            throw CentralError(CentralError::Kind::local_log,
                               "log database \"" + path + "\": " + sqlite3_errmsg(db));
        }
    }
    ~OneStatement() { sqlite3_finalize(m_stmt); }
    OneStatement(const OneStatement&) = delete;
    OneStatement& operator=(const OneStatement&) = delete;
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace

CentralLedger::CentralLedger(std::string log_path) : m_path(std::move(log_path)) {}

CentralLedger::~CentralLedger() {
    close();
}

void CentralLedger::close() {
    sqlite3_close(m_db);
    m_db = nullptr;
}

void CentralLedger::fail(const std::string& what) {
    throw CentralError(CentralError::Kind::local_log, "log database \"" + m_path + "\": " + what);
}

sqlite3* CentralLedger::connection() {
    if (m_db) return m_db;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(m_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        fail(text);
    }
    // The logger's statements wait this long for our short transactions, and we for theirs.
    sqlite3_busy_timeout(db, LogDatabase::busy_timeout_ms);
    m_db = db;
    return m_db;
}

void CentralLedger::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(connection(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : sqlite3_errmsg(m_db);
        sqlite3_free(error);
        // A file replaced meanwhile is opened afresh at the next push.
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
        fail(text);
    }
}

bool CentralLedger::prepared_for(const std::string& target) {
    // The target table is made last of the schema: it being there means all of it is.
    OneStatement read(connection(),
                      "SELECT target FROM central_target WHERE id = 1 AND EXISTS (SELECT 1 FROM"
                      " sqlite_master WHERE type = 'trigger' AND name = 'central_drop_delete')",
                      m_path);
    const int rc = sqlite3_step(read.get());
    if (rc == SQLITE_ROW) {
        return target == reinterpret_cast<const char*>(sqlite3_column_text(read.get(), 0));
    }
    if (rc == SQLITE_DONE) return false;
    // No such table yet is the first use.
    return false;
}

void CentralLedger::prepare(const std::string& target) {
    // Without a write lock when nothing is to be done: a push reads, and writes only its
    // acknowledgement.
    bool ready = false;
    try {
        ready = prepared_for(target);
    } catch (const CentralError&) {
    }
    if (ready) return;
    bool marked = false;
    in_transaction([&] {
        exec(kSchema);
        {
            OneStatement read(m_db, "SELECT target FROM central_target WHERE id = 1", m_path);
            if (sqlite3_step(read.get()) == SQLITE_ROW) {
                marked =
                    target == reinterpret_cast<const char*>(sqlite3_column_text(read.get(), 0));
            }
        }
        // Until every row is marked the target stays unknown: a mark cut off is begun again.
        if (!marked) exec("DELETE FROM central_target; DELETE FROM central_pending");
    });
    if (marked) return;
    // Every row of the log, in short transactions: a large log never holds the logger's
    // statements past their wait. A row the logger writes meanwhile has its trigger's mark,
    // which is kept.
    int64_t after = 0;
    for (;;) {
        int64_t last = 0;
        in_transaction([&] {
            OneStatement chunk(m_db,
                               "SELECT coalesce(max(rowid), 0) FROM (SELECT rowid FROM log"
                               " WHERE rowid > ?1 ORDER BY rowid LIMIT ?2)",
                               m_path);
            sqlite3_bind_int64(chunk.get(), 1, after);
            sqlite3_bind_int64(chunk.get(), 2, kMarkChunk);
            if (sqlite3_step(chunk.get()) != SQLITE_ROW) fail(sqlite3_errmsg(m_db));
            last = sqlite3_column_int64(chunk.get(), 0);
            if (last == 0) return;
            OneStatement mark(m_db,
                              "INSERT OR IGNORE INTO central_pending (log_rowid, change_no)"
                              " SELECT rowid, 1 FROM log WHERE rowid > ?1 AND rowid <= ?2",
                              m_path);
            sqlite3_bind_int64(mark.get(), 1, after);
            sqlite3_bind_int64(mark.get(), 2, last);
            if (sqlite3_step(mark.get()) != SQLITE_DONE) fail(sqlite3_errmsg(m_db));
        });
        if (last == 0) break;
        after = last;
    }
    in_transaction([&] {
        OneStatement write(m_db, "INSERT INTO central_target (id, target) VALUES (1, ?1)", m_path);
        sqlite3_bind_text(write.get(), 1, target.c_str(), static_cast<int>(target.size()),
                          SQLITE_TRANSIENT);
        if (sqlite3_step(write.get()) != SQLITE_DONE) fail(sqlite3_errmsg(m_db));
    });
}

void CentralLedger::in_transaction(const std::function<void()>& work) {
    exec("BEGIN IMMEDIATE");
    try {
        work();
        exec("COMMIT");
    } catch (...) {
        if (m_db) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::vector<CentralLedger::Pending> CentralLedger::pending(size_t limit) {
    OneStatement select(connection(),
                        "SELECT p.log_rowid, p.change_no, l.Devuniqueid, l.startdate, "
                        "l.starttime, l.usera, l.Deventry, l.Duration, l.speed, l.dload, l.uload "
                        "FROM central_pending p JOIN log l ON l.rowid = p.log_rowid "
                        "ORDER BY p.change_no LIMIT ?1",
                        m_path);
    sqlite3_stmt* stmt = select.get();
    sqlite3_bind_int64(stmt, 1, static_cast<int64_t>(limit));
    auto text = [stmt](int column) {
        const auto* value = sqlite3_column_text(stmt, column);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
    };
    std::vector<Pending> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Pending entry;
        entry.rowid = sqlite3_column_int64(stmt, 0);
        entry.change = sqlite3_column_int64(stmt, 1);
        entry.row = LogRow{text(2),
                           text(3),
                           text(4),
                           text(5),
                           text(6),
                           static_cast<int32_t>(sqlite3_column_int64(stmt, 7)),
                           static_cast<int32_t>(sqlite3_column_int64(stmt, 8)),
                           sqlite3_column_int64(stmt, 9),
                           sqlite3_column_int64(stmt, 10)};
        rows.push_back(std::move(entry));
    }
    if (rc != SQLITE_DONE) fail(sqlite3_errmsg(m_db));
    return rows;
}

int64_t CentralLedger::pending_count() {
    OneStatement count(connection(), "SELECT count(*) FROM central_pending", m_path);
    if (sqlite3_step(count.get()) != SQLITE_ROW) fail(sqlite3_errmsg(m_db));
    return sqlite3_column_int64(count.get(), 0);
}

void CentralLedger::acknowledge(const std::vector<Pending>& pushed) {
    if (pushed.empty()) return;
    in_transaction([&] {
        OneStatement drop(
            m_db, "DELETE FROM central_pending WHERE log_rowid = ?1 AND change_no = ?2", m_path);
        for (const auto& entry : pushed) {
            sqlite3_bind_int64(drop.get(), 1, entry.rowid);
            sqlite3_bind_int64(drop.get(), 2, entry.change);
            if (sqlite3_step(drop.get()) != SQLITE_DONE) fail(sqlite3_errmsg(m_db));
            sqlite3_reset(drop.get());
        }
    });
}

}  // namespace quorvane
