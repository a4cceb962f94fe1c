// LogDatabase::scan_usage: the rows handed over from inside the engine's own pass.
#include <exception>
#include <limits>
#include <string>

#include <sqlite3.h>

#include "logdb/LogDatabase.h"
#include "logdb/LogFilterClause.h"
#include "logdb/SqliteStatement.h"

namespace quorvane {

namespace {

constexpr const char* kFunction = "quorvane_usage_row";

// The pass under way: the consumer, the database for messages, whether it takes the ids,
// and what stopped it.
struct Pass {
    const std::function<void(const LogUsageRow&)>* row = nullptr;
    const std::string* path = nullptr;
    bool with_ids = false;
    std::exception_ptr failure;
};

std::string_view text_of(sqlite3_value* value) {
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!data) return {};
    return std::string_view(data, static_cast<size_t>(sqlite3_value_bytes(value)));
}

// A whole number as a statement's column gives it, with the same messages.
int64_t integer_of(sqlite3_value* value, const char* column, const Pass& pass) {
    if (sqlite3_value_type(value) != SQLITE_INTEGER) {
        throw LogDatabaseError("log database \"" + *pass.path + "\": column " + column +
                               " holds \"" + std::string(text_of(value)) +
                               "\", which is not a whole number");
    }
    return sqlite3_value_int64(value);
}

// The engine calls this once per row, as the step of an aggregate: one statement step in
// all, rather than one step and seven column reads per row.
void usage_row(sqlite3_context* context, int, sqlite3_value** values) {
    auto& pass = *static_cast<Pass*>(sqlite3_user_data(context));
    if (pass.failure) return;
    try {
        LogUsageRow row;
        row.startdate = text_of(values[0]);
        row.starttime = text_of(values[1]);
        row.deventry = text_of(values[2]);
        const int64_t duration = integer_of(values[3], "Duration", pass);
        if (duration < std::numeric_limits<int32_t>::min() ||
            duration > std::numeric_limits<int32_t>::max()) {
            throw LogDatabaseError("log database \"" + *pass.path + "\": column Duration holds " +
                                   std::to_string(duration) + ", which exceeds 32 bits");
        }
        row.duration = static_cast<int32_t>(duration);
        row.dload = integer_of(values[4], "dload", pass);
        row.uload = integer_of(values[5], "uload", pass);
        row.rowid = sqlite3_value_int64(values[6]);
        if (pass.with_ids) row.devuniqueid = text_of(values[7]);
        (*pass.row)(row);
    } catch (...) {
        pass.failure = std::current_exception();
        sqlite3_result_error(context, "the pass was stopped", -1);
    }
}

void usage_done(sqlite3_context* context) {
    sqlite3_result_null(context);
}

}  // namespace

void LogDatabase::scan_usage(const LogFilter& filter, bool with_ids,
                             const std::function<void(const LogUsageRow&)>& row) {
    sqlite3* db = connection();
    // Unless the caller has a transaction open: the pages of the file mapped into memory for
    // the pass rather than copied in one by one (the log's file never shrinks, nothing
    // vacuums it), and one read transaction for the span of the start dates and the pass. A
    // period found to hold the first and the last start date then holds every row the pass
    // reads and needs no condition of dates.
    const bool own_read = sqlite3_get_autocommit(db) != 0;
    if (own_read) {
        sqlite3_exec(db, "PRAGMA mmap_size = 4294967296", nullptr, nullptr, nullptr);
        if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_exec(db, "PRAGMA mmap_size = 0", nullptr, nullptr, nullptr);
            throw LogDatabaseError("log database \"" + m_path + "\": " + sqlite3_errmsg(db));
        }
    }
    struct ReadEnd {
        sqlite3* db;
        bool own_read;
        ~ReadEnd() {
            if (!own_read) return;
            if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
            sqlite3_exec(db, "PRAGMA mmap_size = 0", nullptr, nullptr, nullptr);
        }
    } read_end{db, own_read};
    LogFilterClause where(filter, date_lookup(filter));
    Pass pass{&row, &m_path, with_ids, nullptr};
    // Defined for this pass only, its user data being the pass; removed when it ends, after
    // the statement is reset, so that nothing later reaches the pass that is gone.
    if (sqlite3_create_function_v2(db, kFunction, 8, SQLITE_UTF8, &pass, nullptr, usage_row,
                                   usage_done, nullptr) != SQLITE_OK) {
        throw LogDatabaseError("log database \"" + m_path + "\": " + sqlite3_errmsg(db));
    }
    struct Removal {
        sqlite3* db;
        ~Removal() {
            sqlite3_create_function_v2(db, kFunction, 8, SQLITE_UTF8, nullptr, nullptr, nullptr,
                                       nullptr, nullptr);
        }
    } removal{db};
    try {
        auto select = statement(std::string("SELECT ") + kFunction +
                                "(startdate, starttime, Deventry, Duration, dload, uload, rowid, " +
                                (with_ids ? "Devuniqueid" : "NULL") +
                                ")"
                                " FROM log " +
                                where.sql());
        where.bind(select);
        select.run();
    } catch (const LogDatabaseError&) {
        // The engine's report of a pass that `row` stopped.
        if (!pass.failure) throw;
    }
    if (pass.failure) std::rethrow_exception(pass.failure);
}

}  // namespace quorvane
