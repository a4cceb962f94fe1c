#pragma once

#include <string>

#include "support/TempDir.h"

namespace quorvane::test {

// A PostgreSQL 15 server of the test's own: initdb and pg_ctl in a temporary folder, run as an
// unprivileged user when the test runs as root, listening only on a Unix socket in that folder.
// Logins use passwords (scram-sha-256), which come from a password file of the test's own. When
// no server can be made, available() is false and why_not() says why.
class PgServer {
public:
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    bool available() const { return m_why_not.empty(); }
    const std::string& why_not() const { return m_why_not; }

    void stop();
    void start();

    // A connection string for a login role on the database "quorvane" (no password in it: the
    // password file holds those).
    std::string url(const std::string& role) const;
    // Runs SQL as the database's owner; throws with psql's output when it fails.
    void sql(const std::string& text) const;
    // The same, answering the output of psql -At (rows one a line, columns by "|").
    std::string query(const std::string& text, const std::string& role = "admin") const;
    // Loads data/central.sql into "quorvane".
    void load_central_schema() const;
    // Makes a login role that is a member of quorvane_meter writing as `host`, with a
    // password in the password file.
    void add_meter(const std::string& role, const std::string& host);
    void add_reader(const std::string& role);
    // Writes the password file entry of a role (replacing it): a wrong one for tests.
    void set_password(const std::string& role, const std::string& password);

    const std::string& socket_dir() const { return m_socket_dir; }
    int port() const { return m_port; }

private:
    void write_passfile() const;
    int run(const std::string& command, bool as_server_user) const;

    TempDir m_dir;
    std::string m_why_not;
    std::string m_server_user;
    std::string m_bin;
    std::string m_data_dir;
    std::string m_socket_dir;
    std::string m_passfile;
    int m_port = 0;
    bool m_running = false;
    std::string m_passwords;  // role:password lines
};

}  // namespace quorvane::test
