#include "logdb/LogDatabaseCreation.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "logdb/LogDatabase.h"

namespace quorvane {

namespace {

void remove_temporary(const std::string& temp) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) ::unlink((temp + suffix).c_str());
}

}  // namespace

void create_log_database(const std::string& path, const std::string& schema_sql) {
    if (::access(path.c_str(), F_OK) == 0) return;
    const std::string temp = path + ".new-" + std::to_string(::getpid());
    remove_temporary(temp);
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(temp.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema_sql.c_str(), nullptr, nullptr, nullptr);
    std::string text;
    if (rc != SQLITE_OK) {
        text = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        const int os_error = db != nullptr ? sqlite3_system_errno(db) : 0;
        if (os_error != 0) text += std::string(" (") + std::strerror(os_error) + ")";
    }
    // Closing the last connection checkpoints the write-ahead log into the file.
    if (sqlite3_close(db) != SQLITE_OK && text.empty()) text = "the database did not close";
    if (text.empty() && ::link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST) {
        text = std::strerror(errno);
    }
    remove_temporary(temp);
    if (!text.empty()) {
        throw LogDatabaseError("cannot create the log database \"" + path + "\": " + text);
    }
}

}  // namespace quorvane
