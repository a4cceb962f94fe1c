#pragma once

#include <string>

#include "logdb/LogFilter.h"

namespace quorvane {

class SqliteStatement;

// True for a real date written YYYY-MM-DD (2024-02-29; not 2023-02-29, not year 0000).
bool is_iso_date(const std::string& text);

// A device name as a LIKE pattern that matches only that name (letter case ignored, as LIKE
// ignores it): "%", "_" and the escape character itself get a backslash before them.
std::string like_pattern_of_name(const std::string& name);

// The WHERE clause of a log filter over the table `log`, its values bound as the parameters
// ?1 to ?4. The dates of a range must be real ISO dates (2024-02-29): text in any other form
// would compare wrongly against the stored dates, so it is refused before any statement runs.
// A device given by name is matched with its escaped pattern and ESCAPE '\'. A pattern of "%"
// alone becomes a plain condition that holds wherever it matches, its parameter unused.
class LogFilterClause {
public:
    // How the engine finds the rows of a date range: through the start index, or by reading
    // the whole table (the date then a plain condition, +startdate, that no index serves).
    // For a range found to hold every row's start date in the same read (the same
    // transaction) as the rows are read in, whole_log: no date condition at all, its
    // parameters unused.
    enum class DateLookup { start_index, table_scan, whole_log };

    explicit LogFilterClause(const LogFilter& filter, DateLookup lookup = DateLookup::start_index);

    const std::string& sql() const { return m_sql; }
    void bind(SqliteStatement& statement) const;

private:
    const LogFilter& m_filter;
    std::string m_device_pattern;
    // A pattern of "%" alone is a plain condition rather than a parameter.
    bool m_device_bound, m_user_bound;
    bool m_dates_bound;
    std::string m_sql;
};

}  // namespace quorvane
