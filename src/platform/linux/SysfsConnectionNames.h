#pragma once

#include <filesystem>
#include <string>

#include "platform/ConnectionNames.h"

namespace quorvane {

// Connection names from sysfs: an adapter is an interface, and its connection name is the
// interface's alias (ip link set dev X alias "Home LAN") or, without one, its name.
class SysfsConnectionNames : public ConnectionNames {
public:
    explicit SysfsConnectionNames(std::filesystem::path root = "/sys/class/net");

    // Empty text for a name that is no interface below the root.
    std::string connection_name(const std::string& adapter_name) override;

private:
    std::filesystem::path m_root;
};

}  // namespace quorvane
