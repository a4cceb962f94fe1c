#include "logdb/LogFilterClause.h"

#include <chrono>
#include <cstdint>

#include "logdb/LogDatabase.h"
#include "logdb/SqliteStatement.h"

namespace quorvane {

namespace {

void require_iso_date(const std::string& text) {
    if (!is_iso_date(text)) {
        throw LogDatabaseError("log filter: \"" + text + "\" is not a date of the form YYYY-MM-DD");
    }
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
      // A pattern that matches any text is the cheaper test it stands for (LIKE '%' holds
      // for every value but NULL): two pattern matches a row were a fifth of a long read.
      m_match_device(filter.device_is_name || filter.device_pattern != "%"),
      m_match_user(filter.user_pattern != "%"),
      m_sql(std::string("WHERE ") +
            (!m_match_device         ? "Deventry IS NOT NULL"
             : filter.device_is_name ? "Deventry LIKE ?1 ESCAPE '\\'"
                                     : "Deventry LIKE ?1") +
            (m_match_user ? " AND usera LIKE ?2" : " AND usera IS NOT NULL")) {
    if (filter.dates) {
        require_iso_date(filter.dates->from);
        require_iso_date(filter.dates->to);
        m_sql += lookup == DateLookup::start_index ? " AND startdate BETWEEN ?3 AND ?4"
                                                   : " AND +startdate BETWEEN ?3 AND ?4";
    }
}

void LogFilterClause::bind(SqliteStatement& statement) const {
    if (m_match_device) statement.bind(1, m_device_pattern);
    if (m_match_user) statement.bind(2, m_filter.user_pattern);
    if (m_filter.dates) statement.bind(3, m_filter.dates->from).bind(4, m_filter.dates->to);
}

}  // namespace quorvane
