#include "logdb/LogFilterClause.h"

#include <chrono>
#include <cstdint>

#include <sqlite3.h>

#include "logdb/LogDatabase.h"
#include "logdb/SqliteStatement.h"

namespace quorvane {

namespace {

void require_iso_date(const std::string& text) {
    if (!is_iso_date(text)) {
        throw LogDatabaseError("log filter: \"" + text + "\" is not a date of the form YYYY-MM-DD");
    }
}

// A condition that holds exactly where `column LIKE '%'` does, without a call of the LIKE
// function for every row, which was a sixth of a large read: '%' matches every value but
// NULL, and but a BLOB where the engine is built not to match BLOBs (a BLOB sorts after every
// other value but NULL). The "+" keeps the indexes out of it.
std::string matches_everything(const char* column) {
    static const bool blobs_excluded = sqlite3_compileoption_used("LIKE_DOESNT_MATCH_BLOBS") != 0;
    return std::string("+") + column + (blobs_excluded ? " < x''" : " IS NOT NULL");
}

}  // namespace

bool is_iso_date(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    auto number = [&](size_t at, size_t len) { return std::stoi(text.substr(at, len)); };
    std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                     std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                     std::chrono::day(static_cast<unsigned>(number(8, 2)))};
    return date.ok() && number(0, 4) > 0;
}

std::string like_pattern_of_name(const std::string& name) {
    std::string pattern;
    pattern.reserve(name.size());
    for (char c : name) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern;
}

LogFilterClause::LogFilterClause(const LogFilter& filter, DateLookup lookup)
    : m_filter(filter),
      m_device_pattern(filter.device_is_name ? like_pattern_of_name(filter.device_pattern)
                                             : filter.device_pattern),
      m_device_bound(filter.device_is_name || filter.device_pattern != "%"),
      m_user_bound(filter.user_pattern != "%"),
      m_dates_bound(filter.dates && lookup != DateLookup::whole_log) {
    m_sql = "WHERE ";
    m_sql += !m_device_bound         ? matches_everything("Deventry")
             : filter.device_is_name ? "Deventry LIKE ?1 ESCAPE '\\'"
                                     : "Deventry LIKE ?1";
    m_sql += " AND ";
    m_sql += m_user_bound ? "usera LIKE ?2" : matches_everything("usera");
    if (filter.dates) {
        require_iso_date(filter.dates->from);
        require_iso_date(filter.dates->to);
        if (lookup == DateLookup::start_index) m_sql += " AND startdate BETWEEN ?3 AND ?4";
        if (lookup == DateLookup::table_scan) m_sql += " AND +startdate BETWEEN ?3 AND ?4";
    }
}

void LogFilterClause::bind(SqliteStatement& statement) const {
    if (m_device_bound) statement.bind(1, m_device_pattern);
    if (m_user_bound) statement.bind(2, m_filter.user_pattern);
    if (m_dates_bound) statement.bind(3, m_filter.dates->from).bind(4, m_filter.dates->to);
}

}  // namespace quorvane
