#pragma once

#include <ostream>
#include <string>

namespace quorvane {

// The two setting stores that may name the data directory, and the default.
struct DataDirSources {
    std::string machine_store;  // /etc/quorvane/registry.ini
    std::string user_store;     // $XDG_CONFIG_HOME/quorvane/registry.ini
    // $STATE_DIRECTORY for a service that systemd gave one, else
    // $XDG_DATA_HOME/quorvane (~/.local/share/quorvane).
    std::string default_dir;
};

// The key paths the stores keep the value CurrentDir under (INI sections).
inline constexpr const char* kMachineKey = "Software\\bdgdd";
inline constexpr const char* kUserKey = "Software\\pwktdd";

// The stores of this machine and user, and the default directory (one source file per
// operating system).
DataDirSources default_data_dir_sources();

// The data directory: a non-empty CurrentDir of the machine store wins, then one of the
// user store, then the default directory. A store that is missing or cannot be read is
// passed over silently. A value that is not text (control characters, bytes that are not
// UTF-8) is passed over too, with one line on `warnings` naming the store.
std::string settle_data_dir(const DataDirSources& sources, std::ostream& warnings);

}  // namespace quorvane
