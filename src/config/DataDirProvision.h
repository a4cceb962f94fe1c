#pragma once

#include <string>
#include <vector>

namespace quorvane {

// The installed data a data directory is made from: schema.sql (the log's), tip.cfg and the
// folder "qvane help". The first of the candidates that holds schema.sql, or empty text.
std::string find_installed_data(const std::vector<std::string>& candidates);

// Gives a data directory the files it lacks from the installed data: the folders config and
// "qvane help", config/tip.cfg, an empty config/dev.ini and the help pages. A file that
// exists is never touched; a new one appears whole or not at all. The log database is not
// made here (the log's own code makes it from schema.sql). Returns one line per failure
// (empty when everything is there).
std::vector<std::string> provision_data_dir_files(const std::string& data_dir,
                                                  const std::string& installed_data);

}  // namespace quorvane
