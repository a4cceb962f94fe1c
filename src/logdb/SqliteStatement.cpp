#include "logdb/SqliteStatement.h"

#include "logdb/LogDatabase.h"

namespace quorvane {

SqliteStatement::SqliteStatement(sqlite3_stmt* stmt, const std::string& path)
    : m_stmt(stmt), m_path(path) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

SqliteStatement& SqliteStatement::bind(int index, const std::string& text) {
    if (sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, int64_t value) {
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK) {
        fail(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
    }
    return *this;
}

bool SqliteStatement::next_row() {
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
}

void SqliteStatement::run() {
    while (next_row()) {
    }
}

std::string SqliteStatement::text(int column) const {
    return std::string(text_view(column));
}

void SqliteStatement::not_whole(int column) const {
    fail(std::string("column ") + sqlite3_column_name(m_stmt, column) + " holds \"" + text(column) +
         "\", which is not a whole number");
}

void SqliteStatement::past_32_bits(int column, int64_t value) const {
    fail(std::string("column ") + sqlite3_column_name(m_stmt, column) + " holds " +
         std::to_string(value) + ", which exceeds 32 bits");
}

void SqliteStatement::fail(const std::string& what) const {
    throw LogDatabaseError("log database \"" + m_path + "\": " + what);
}

}  // namespace quorvane
