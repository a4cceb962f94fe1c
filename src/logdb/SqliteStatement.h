#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace quorvane {

// One use of a prepared statement of the log database: binds the values, steps through the
// rows and reads their columns. The statement itself stays prepared for the next use; when
// this object goes it is reset and its bindings cleared. Failures throw LogDatabaseError
// with the engine's text and the database path.
class SqliteStatement {
public:
    SqliteStatement(sqlite3_stmt* stmt, const std::string& path);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1.
    SqliteStatement& bind(int index, const std::string& text);
    SqliteStatement& bind(int index, int64_t value);

    // Steps to the next row; false once there is none.
    bool next_row();
    // Steps through to the end, for statements that return no rows.
    void run();

    // Columns count from 0. A NULL text reads as empty text.
    std::string text(int column) const;
    // The same without a copy; valid until the next step.
    std::string_view text_view(int column) const;
    // The value must be stored as a whole number (within 32 bits for integer32).
    int64_t integer(int column) const;
    int32_t integer32(int column) const;

private:
    [[noreturn]] void fail(const std::string& what) const;

    sqlite3_stmt* m_stmt;
    const std::string& m_path;
};

}  // namespace quorvane
