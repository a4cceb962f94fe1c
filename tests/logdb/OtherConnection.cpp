#include "OtherConnection.h"

#include <stdexcept>

#include <sqlite3.h>

namespace quorvane::test {

OtherConnection::OtherConnection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::string error = sqlite3_errmsg(m_db);
        sqlite3_close(m_db);
        throw std::runtime_error("cannot open " + path + ": " + error);
    }
}

OtherConnection::~OtherConnection() {
    sqlite3_close(m_db);
}

void OtherConnection::exec(const std::string& sql) {
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    }
}

std::string OtherConnection::value(const std::string& sql) {
    std::string result;
    first_column(sql, [&](const char* text) {
        result = text ? text : "";
        return false;
    });
    return result;
}

std::vector<std::string> OtherConnection::values(const std::string& sql) {
    std::vector<std::string> result;
    first_column(sql, [&](const char* text) {
        result.emplace_back(text ? text : "");
        return true;
    });
    return result;
}

void OtherConnection::first_column(const std::string& sql,
                                   const std::function<bool(const char*)>& each) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    }
    int rc = sqlite3_step(stmt);
    while (rc == SQLITE_ROW && each(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))) {
        rc = sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    }
}

}  // namespace quorvane::test
