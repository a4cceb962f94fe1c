#pragma once

#include <string>

namespace quorvane::test {

// Creates a log database at path from the installation's schema (data/schema.sql).
void create_log_db(const std::string& path);

// Provisions a data directory as an installation does, by running scripts/provision: the
// config folder with log.db, tip.cfg and an empty dev.ini, and the help folder. Files that
// exist already are kept. Throws when the script fails.
void provision_data_dir(const std::string& dir);

// The path of a file of the source tree, such as "data/schema.sql".
std::string source_path(const std::string& relative);

}  // namespace quorvane::test
