#pragma once

#include <string>
#include <vector>

namespace quorvane {

// Where the installed data may be: beside the executable's installation
// (<prefix>/share/quorvane/data), /usr/share/quorvane/data, and data/ of the source tree the
// program was built from.
std::vector<std::string> installed_data_candidates();

// Gives a data directory whatever it lacks of its files, from the installed data: the log
// database from the shipped schema, the tips, an empty dev.ini and the help. Files that
// exist are never touched. Returns one line per failure, empty when the directory is whole.
std::vector<std::string> provision_data_dir(const std::string& data_dir,
                                            const std::string& installed_data);

}  // namespace quorvane
