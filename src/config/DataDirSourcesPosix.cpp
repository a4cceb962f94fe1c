// Where this machine and user keep the stores, on a POSIX system.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "config/DataDir.h"

namespace quorvane {

namespace {

std::string config_home() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;  // relative values are invalid
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : "/";
    }
    return std::string(home) + "/.config";
}

}  // namespace

DataDirSources default_data_dir_sources() {
    DataDirSources sources;
    sources.machine_store = "/etc/quorvane/registry.ini";
    sources.user_store = config_home() + "/quorvane/registry.ini";
    std::error_code error;
    auto current = std::filesystem::current_path(error);
    sources.current_dir = error ? "." : current.string();
    return sources;
}

}  // namespace quorvane
