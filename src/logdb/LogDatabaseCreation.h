#pragma once

#include <string>

namespace quorvane {

// Makes the log database at `path` from the schema's statements, when no file is there: it
// is built under a temporary name beside it and then linked to its name, so a failure
// never leaves a half-made log and a log another process made meanwhile is kept. Throws
// LogDatabaseError with the engine's or the system's text.
void create_log_database(const std::string& path, const std::string& schema_sql);

}  // namespace quorvane
