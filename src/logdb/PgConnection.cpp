#include "logdb/PgConnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace quorvane {

namespace {

using Kind = CentralError::Kind;

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

// What a failed login means, from libpq's text (there is no error code before the session).
Kind kind_of_connect_failure(const std::string& text) {
    for (const char* word : {"password", "authentication", "role \"", "pg_hba.conf",
                             "permission denied for database"}) {
        if (text.find(word) != std::string::npos) return Kind::login;
    }
    return Kind::unreachable;
}

// What a failed statement means, from the server's SQLSTATE.
Kind kind_of_sqlstate(const char* state) {
    if (state == nullptr) return Kind::unreachable;  // the connection went
    const std::string code = state;
    if (code == "42P01" || code == "42703" || code == "42804" || code == "42P10") {
        return Kind::schema;  // no table, a missing column, another type, no unique key
    }
    // A value the table cannot take: data exceptions, and the checks on a row's own values.
    if (code.rfind("22", 0) == 0 || code == "23514" || code == "23502") return Kind::bad_row;
    if (code == "42501" || code.rfind("23", 0) == 0) return Kind::refused;
    if (code.rfind("28", 0) == 0) return Kind::login;
    if (code.rfind("08", 0) == 0 || code.rfind("57P", 0) == 0) return Kind::unreachable;
    return Kind::other;
}

}  // namespace

void PgDeadline::bring_forward(clock::time_point at) {
    const clock::rep wanted = at.time_since_epoch().count();
    clock::rep now = m_at.load();
    while (wanted < now && !m_at.compare_exchange_weak(now, wanted)) {
    }
}

PgConnection::PgConnection(const std::string& url, const PgDeadline& deadline) {
    m_conn = PQconnectStart(url.c_str());
    if (m_conn == nullptr) throw CentralError(Kind::other, "out of memory");
    if (PQstatus(m_conn) == CONNECTION_BAD) {
        const std::string text = trimmed(PQerrorMessage(m_conn));
        PQfinish(m_conn);
        m_conn = nullptr;
        throw CentralError(kind_of_connect_failure(text), "cannot connect: " + text);
    }
    // libpq's own rule: poll as if it had just answered "writing".
    PostgresPollingStatusType state = PGRES_POLLING_WRITING;
    try {
        while (state != PGRES_POLLING_OK) {
            if (state == PGRES_POLLING_FAILED) {
                const std::string text = trimmed(PQerrorMessage(m_conn));
                throw CentralError(kind_of_connect_failure(text), "cannot connect: " + text);
            }
            wait_socket(state == PGRES_POLLING_WRITING, deadline, "connecting");
            state = PQconnectPoll(m_conn);
        }
        if (PQsetnonblocking(m_conn, 1) != 0) {
            throw CentralError(Kind::other, trimmed(PQerrorMessage(m_conn)));
        }
    } catch (...) {
        PQfinish(m_conn);
        m_conn = nullptr;
        throw;
    }
}

PgConnection::~PgConnection() {
    // A statement still running is rolled back by the server when the session ends.
    if (m_conn) PQfinish(m_conn);
}

void PgConnection::wait_socket(bool for_write, const PgDeadline& deadline, const char* what) {
    const int socket = PQsocket(m_conn);
    if (socket < 0) throw CentralError(Kind::unreachable, "the connection has no socket");
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline.at() - PgDeadline::clock::now());
        if (left.count() <= 0) {
            throw CentralError(Kind::unreachable,
                               std::string("no answer from the server in time (") + what + ")");
        }
        pollfd entry{socket, static_cast<short>(for_write ? POLLOUT : POLLIN), 0};
        // Short slices, so that a deadline brought forward is noticed soon.
        const int rc = ::poll(&entry, 1, static_cast<int>(std::min<int64_t>(left.count(), 50)));
        if (rc > 0) return;
        if (rc < 0 && errno != EINTR) {
            throw CentralError(Kind::unreachable, std::string("poll: ") + std::strerror(errno));
        }
    }
}

PgRows PgConnection::exec(const std::string& sql,
                          const std::vector<std::optional<std::string>>& params,
                          const PgDeadline& deadline) {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const auto& param : params) values.push_back(param ? param->c_str() : nullptr);
    if (!PQsendQueryParams(m_conn, sql.c_str(), static_cast<int>(values.size()), nullptr,
                           values.data(), nullptr, nullptr, 0)) {
        throw CentralError(Kind::unreachable, trimmed(PQerrorMessage(m_conn)));
    }
    // Send all of it, then read until the answer is complete.
    for (;;) {
        const int rc = PQflush(m_conn);
        if (rc == 0) break;
        if (rc < 0) throw CentralError(Kind::unreachable, trimmed(PQerrorMessage(m_conn)));
        wait_socket(false, deadline, "sending");
        if (!PQconsumeInput(m_conn)) {
            throw CentralError(Kind::unreachable, trimmed(PQerrorMessage(m_conn)));
        }
    }
    PgRows answer;
    std::unique_ptr<CentralError> failure;
    for (;;) {
        while (PQisBusy(m_conn)) {
            wait_socket(false, deadline, "waiting for the answer");
            if (!PQconsumeInput(m_conn)) {
                throw CentralError(Kind::unreachable, trimmed(PQerrorMessage(m_conn)));
            }
        }
        std::unique_ptr<PGresult, decltype(&PQclear)> result(PQgetResult(m_conn), &PQclear);
        if (!result) break;
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_TUPLES_OK) {
            const int rows = PQntuples(result.get());
            const int columns = PQnfields(result.get());
            for (int r = 0; r < rows; ++r) {
                std::vector<std::string> row;
                row.reserve(static_cast<size_t>(columns));
                for (int c = 0; c < columns; ++c) row.emplace_back(PQgetvalue(result.get(), r, c));
                answer.rows.push_back(std::move(row));
            }
        } else if (status != PGRES_COMMAND_OK && !failure) {
            const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
            failure = std::make_unique<CentralError>(kind_of_sqlstate(state),
                                                     trimmed(PQresultErrorMessage(result.get())));
        }
    }
    if (failure) throw *failure;
    return answer;
}

}  // namespace quorvane
