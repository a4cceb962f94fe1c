#include "host/InstanceLockName.h"

#include <sys/stat.h>

#include <functional>
#include <sstream>

namespace quorvane {

std::string instance_lock_name(const std::string& data_dir) {
    std::ostringstream name;
    name << "qvane-";
    struct stat dir {};
    if (::stat(data_dir.c_str(), &dir) == 0) {
        name << std::hex << dir.st_dev << '-' << dir.st_ino;
    } else {
        name << "path-" << std::hex << std::hash<std::string>{}(data_dir);
    }
    return name.str();
}

}  // namespace quorvane
