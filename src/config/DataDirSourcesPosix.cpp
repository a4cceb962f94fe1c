// Where this machine and user keep the stores and their data, on a POSIX system.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "config/DataDir.h"

namespace quorvane {

namespace {

// An XDG base directory variable counts only when it holds an absolute path.
const char* absolute_variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : nullptr;
}

std::string home_dir() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
    }
    std::string dir = home;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir == "/" ? "" : dir;
}

std::string config_home() {
    if (const char* xdg = absolute_variable("XDG_CONFIG_HOME")) return xdg;
    return home_dir() + "/.config";
}

std::string data_home() {
    if (const char* xdg = absolute_variable("XDG_DATA_HOME")) return xdg;
    return home_dir() + "/.local/share";
}

// systemd hands a unit with StateDirectory= its directory in $STATE_DIRECTORY (several,
// separated by ':', when the unit names several; the first is ours).
std::string state_directory() {
    const char* value = absolute_variable("STATE_DIRECTORY");
    if (value == nullptr) return {};
    std::string dir = value;
    return dir.substr(0, dir.find(':'));
}

}  // namespace

DataDirSources default_data_dir_sources() {
    DataDirSources sources;
    sources.machine_store = "/etc/quorvane/registry.ini";
    sources.user_store = config_home() + "/quorvane/registry.ini";
    sources.default_dir = state_directory();
    if (sources.default_dir.empty()) sources.default_dir = data_home() + "/quorvane";
    return sources;
}

}  // namespace quorvane
