#include "config/LogFileCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvane {

std::string log_database_problem(const std::string& data_dir) {
    const std::string path = data_dir + "/config/log.db";
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return "No log database: " + path + " is missing, so nothing is recorded.";
        }
        return "The log database " + path + " cannot be read (" + std::strerror(errno) +
               "), so nothing is recorded.";
    }
    if (!S_ISREG(file.st_mode)) {
        return "The log database " + path + " is not a file, so nothing is recorded.";
    }
    if (::access(path.c_str(), R_OK) != 0) {
        return "The log database " + path + " cannot be read (" + std::strerror(errno) +
               "), so nothing is recorded.";
    }
    // Writing also needs the folder, for the database's journal files beside it.
    const std::string folder = data_dir + "/config";
    if (::access(path.c_str(), W_OK) != 0 || ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "The log database " + path + " is read-only, so nothing is recorded.";
    }
    return {};
}

}  // namespace quorvane
