#pragma once

#include <string>

#include "logdb/LogFilter.h"

namespace quorvane {

class SqliteStatement;

// The WHERE clause of a log filter over the table `log`, its values bound as the parameters
// ?1 to ?4. The dates of a range must be real ISO dates (2024-02-29): text in any other form
// would compare wrongly against the stored dates, so it is refused before any statement runs.
class LogFilterClause {
public:
    explicit LogFilterClause(const LogFilter& filter);

    const std::string& sql() const { return m_sql; }
    void bind(SqliteStatement& statement) const;

private:
    const LogFilter& m_filter;
    std::string m_sql;
};

}  // namespace quorvane
