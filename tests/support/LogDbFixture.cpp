#include "support/LogDbFixture.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvane::test {

std::string source_path(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

void create_log_db(const std::string& path) {
    std::ifstream in(source_path("data/schema.sql"), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + source_path("data/schema.sql"));
    std::ostringstream schema;
    schema << in.rdbuf();

    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, nullptr);
    std::string error = rc == SQLITE_OK ? "" : (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot create " + path + ": " + error);
}

void provision_data_dir(const std::string& dir) {
    std::string script = source_path("scripts/provision");
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start " + script);
    if (pid == 0) {
        execl(script.c_str(), script.c_str(), dir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("cannot wait for " + script);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(script + " " + dir + " failed (status " + std::to_string(status) +
                                 ")");
    }
}

}  // namespace quorvane::test
