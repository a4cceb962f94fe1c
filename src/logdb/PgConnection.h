#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "logdb/CentralError.h"

struct pg_conn;
struct pg_result;

namespace quorvane {

// The moment by which an operation on the central server must be done. Another thread may
// bring it forward (the program's stop); a wait notices within a few tens of milliseconds.
class PgDeadline {
public:
    using clock = std::chrono::steady_clock;
    explicit PgDeadline(clock::time_point at) : m_at(at.time_since_epoch().count()) {}
    clock::time_point at() const { return clock::time_point(clock::duration(m_at.load())); }
    // Only ever earlier.
    void bring_forward(clock::time_point at);
    // Any moment, for the next operation.
    void reset(clock::time_point at) { m_at.store(at.time_since_epoch().count()); }
    bool passed() const { return clock::now() >= at(); }

private:
    std::atomic<clock::rep> m_at;
};

// The rows of one answer, as text; a NULL reads as empty text.
struct PgRows {
    std::vector<std::vector<std::string>> rows;
};

// One connection to a PostgreSQL server through libpq, made and used without ever blocking
// past a deadline: every wait is a poll() on the socket in short slices. A failure throws
// CentralError with its kind taken from the server's error code (or, for a failed login, from
// what libpq says). Parameters are always bound, never written into the statement text.
class PgConnection {
public:
    PgConnection(const std::string& url, const PgDeadline& deadline);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs one statement with text parameters (std::nullopt for NULL).
    PgRows exec(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                const PgDeadline& deadline);

private:
    // Waits until the socket is readable (or writable); throws when the deadline passes.
    void wait_socket(bool for_write, const PgDeadline& deadline, const char* what);

    pg_conn* m_conn = nullptr;
};

}  // namespace quorvane
