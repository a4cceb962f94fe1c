#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logdb/LogRow.h"

namespace quorvane {

class PgConnection;
class PgDeadline;

// Writes rows of one host into the central table `log` as one statement, so in one
// transaction: a row whose (host, Devuniqueid) is new is inserted, one that is there is
// rewritten when any column differs. `rowids` gives each row's rowid in the meter's log (the
// order of writing). Rows sharing an id go once, the last of them. Throws CentralError.
void upsert_central_rows(PgConnection& connection, const std::string& host,
                         const std::vector<LogRow>& rows, const std::vector<int64_t>& rowids,
                         const PgDeadline& deadline);

// A PostgreSQL array literal of texts, every element quoted: {"a","b \"c\""}.
std::string pg_text_array(const std::vector<std::string>& values);

}  // namespace quorvane
