#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <sqlite3.h>

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
    std::string_view text_view(int column) const {
        return view_of(sqlite3_column_value(m_stmt, column));
    }
    // The value must be stored as a whole number (within 32 bits for integer32).
    int64_t integer(int column) const {
        // The column's value, looked up once for its type and its number: a large read
        // takes several of these a row. Such a value is read without the connection's lock,
        // which the log's connections do not have (one thread uses each).
        sqlite3_value* value = sqlite3_column_value(m_stmt, column);
        if (sqlite3_value_type(value) != SQLITE_INTEGER) not_whole(column);
        return sqlite3_value_int64(value);
    }
    int32_t integer32(int column) const {
        const int64_t value = integer(column);
        if (value < INT32_MIN || value > INT32_MAX) past_32_bits(column, value);
        return static_cast<int32_t>(value);
    }

private:
    static std::string_view view_of(sqlite3_value* value) {
        auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
        if (!data) return {};
        return std::string_view(data, static_cast<size_t>(sqlite3_value_bytes(value)));
    }
    [[noreturn]] void not_whole(int column) const;
    [[noreturn]] void past_32_bits(int column, int64_t value) const;
    [[noreturn]] void fail(const std::string& what) const;

    sqlite3_stmt* m_stmt;
    const std::string& m_path;
};

}  // namespace quorvane
