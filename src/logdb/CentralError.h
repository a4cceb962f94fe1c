#pragma once

#include <stdexcept>
#include <string>

namespace quorvane {

// A push to the central log, or a read of it, failed. The kind says what went wrong in a way
// that stays the same while the cause does, so that each cause is reported once.
class CentralError : public std::runtime_error {
public:
    enum class Kind {
        settings,     // the url is refused (a password in it, or it does not parse)
        unreachable,  // no server answers, or the connection broke or took too long
        login,        // the server refused the login (a wrong password, an unknown role)
        schema,       // the table is missing or has other columns
        refused,      // the server refused the rows (another host's rows, no privilege)
        bad_row,      // a row the central table cannot hold (a date that does not exist, a
                      // time of another form, text that is not UTF-8)
        local_log,    // the meter's own log could not be read or marked
        other,
    };

    CentralError(Kind kind, const std::string& message)
        : std::runtime_error(message), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// "unreachable", "login", ... for messages and tests.
const char* central_error_kind_name(CentralError::Kind kind);

}  // namespace quorvane
