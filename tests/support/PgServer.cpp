#include "support/PgServer.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace quorvane::test {

namespace {

std::string shell_quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string read_all(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

PgServer::PgServer() {
    m_bin = "/usr/lib/postgresql/15/bin";
    if (!std::filesystem::exists(m_bin + "/initdb")) {
        m_why_not =
            "no PostgreSQL 15 server programs in " + m_bin + " (apt-get install postgresql-15)";
        return;
    }
    const std::string base = m_dir.str() + "/pg";
    std::filesystem::create_directories(base);
    if (::geteuid() == 0) {
        // The server refuses to run as root: a user of the system's own runs it.
        for (const char* user : {"postgres", "nobody"}) {
            if (const passwd* entry = ::getpwnam(user)) {
                m_server_user = user;
                if (::chown(base.c_str(), entry->pw_uid, entry->pw_gid) != 0) {
                    m_why_not = "cannot hand the server folder to " + m_server_user;
                    return;
                }
                break;
            }
        }
        if (m_server_user.empty()) {
            m_why_not =
                "running as root and no unprivileged user (postgres, nobody) to run the server";
            return;
        }
        ::chmod(m_dir.str().c_str(), 0755);
    }
    m_data_dir = base + "/data";
    m_socket_dir = base;
    m_passfile = m_dir.str() + "/pgpass";
    m_passwords = "admin:admin-secret\n";
    std::ofstream(base + "/pw") << "admin-secret\n";
    if (!m_server_user.empty())
        run("chown " + m_server_user + " " + shell_quoted(base + "/pw"), false);
    if (run(m_bin + "/initdb -D " + shell_quoted(m_data_dir) +
                " -U admin -A scram-sha-256 --pwfile=" + shell_quoted(base + "/pw") +
                " -E UTF8 --locale=C.UTF-8 >" + shell_quoted(base + "/initdb.log") + " 2>&1",
            true) != 0) {
        m_why_not = "initdb failed: " + read_all(base + "/initdb.log");
        return;
    }
    write_passfile();
    m_port = 20000 + static_cast<int>(::getpid() % 30000);
    // Another program may hold the port: a few others are tried.
    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        try {
            start();
        } catch (const std::exception&) {
            m_port += 7;
        }
    }
    if (!m_running) {
        m_why_not = "the server did not start: " + read_all(base + "/server.log");
        return;
    }
    sql("CREATE DATABASE quorvane");
}

PgServer::~PgServer() {
    if (m_running) stop();
}

int PgServer::run(const std::string& command, bool as_server_user) const {
    std::string line = command;
    if (as_server_user && !m_server_user.empty()) {
        line = "runuser -u " + m_server_user + " -- sh -c " + shell_quoted(command);
    }
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

void PgServer::start() {
    const std::string options = "-k " + m_socket_dir + " -p " + std::to_string(m_port) +
                                " -c listen_addresses= -c fsync=off -c max_connections=300";
    if (run(m_bin + "/pg_ctl -D " + shell_quoted(m_data_dir) + " -l " +
                shell_quoted(m_socket_dir + "/server.log") + " -w -t 30 -o " +
                shell_quoted(options) + " start >/dev/null 2>&1",
            true) != 0) {
        throw std::runtime_error("pg_ctl start failed");
    }
    m_running = true;
}

void PgServer::stop() {
    run(m_bin + "/pg_ctl -D " + shell_quoted(m_data_dir) + " -m fast -w stop >/dev/null 2>&1",
        true);
    m_running = false;
}

void PgServer::write_passfile() const {
    // host:port:database:user:password; the socket folder stands for the host.
    std::ofstream out(m_passfile, std::ios::trunc);
    std::istringstream lines(m_passwords);
    std::map<std::string, std::string> latest;
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        latest[line.substr(0, colon)] = line.substr(colon + 1);
    }
    for (const auto& [role, password] : latest) out << "*:*:*:" << role << ":" << password << "\n";
    out.close();
    ::chmod(m_passfile.c_str(), 0600);
}

std::string PgServer::url(const std::string& role) const {
    return "host=" + m_socket_dir + " port=" + std::to_string(m_port) +
           " dbname=quorvane user=" + role + " passfile=" + m_passfile + " connect_timeout=5";
}

std::string PgServer::query(const std::string& text, const std::string& role) const {
    const std::string out = m_dir.str() + "/psql.out";
    const std::string db =
        role == "admin" && text.rfind("CREATE DATABASE", 0) == 0 ? "postgres" : "quorvane";
    std::string conninfo = url(role);
    conninfo.replace(conninfo.find("dbname=quorvane"), 15, "dbname=" + db);
    const int rc = run("psql " + shell_quoted(conninfo) + " -X -q -At -v ON_ERROR_STOP=1 -c " +
                           shell_quoted(text) + " >" + shell_quoted(out) + " 2>&1",
                       false);
    std::string answer = read_all(out);
    if (rc != 0) throw std::runtime_error("psql failed: " + answer);
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return answer;
}

void PgServer::sql(const std::string& text) const {
    query(text);
}

void PgServer::load_central_schema() const {
    sql(read_all(std::string(QV_SOURCE_DIR) + "/data/central.sql"));
}

void PgServer::set_password(const std::string& role, const std::string& password) {
    m_passwords += role + ":" + password + "\n";
    write_passfile();
}

void PgServer::add_meter(const std::string& role, const std::string& host) {
    const std::string password = role + "-pw";
    sql("CREATE ROLE " + role + " LOGIN PASSWORD '" + password + "' IN ROLE quorvane_meter");
    sql("INSERT INTO meter_host (role_name, host) VALUES ('" + role + "', '" + host + "')");
    set_password(role, password);
}

void PgServer::add_reader(const std::string& role) {
    const std::string password = role + "-pw";
    sql("CREATE ROLE " + role + " LOGIN PASSWORD '" + password + "' IN ROLE quorvane_reader");
    set_password(role, password);
}

}  // namespace quorvane::test
