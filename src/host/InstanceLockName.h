#pragma once

#include <string>

namespace quorvane {

// The single-instance lock's name: "qvane" with the data directory's device and inode, so
// that each user (each with a data directory of their own) runs a logger of their own, and
// two starts on one data directory (however its path is spelled, whoever starts them)
// never log twice. A directory that cannot be looked at is named by its path instead.
std::string instance_lock_name(const std::string& data_dir);

}  // namespace quorvane
