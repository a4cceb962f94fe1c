#pragma once

#include <string>

namespace quorvane {

// What keeps the log database config/log.db of a data directory from recording, in words
// for the user (missing, cannot be read, read-only); empty text when nothing does.
std::string log_database_problem(const std::string& data_dir);

}  // namespace quorvane
