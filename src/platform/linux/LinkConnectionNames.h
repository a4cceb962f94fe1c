#pragma once

#include <string>

#include "platform/ConnectionNames.h"
#include "platform/linux/LinuxLinks.h"

namespace quorvane {

// Connection names of the machine's links: an adapter is an interface, and its connection
// name is the interface's alias (ip link set dev X alias "Home LAN") or, without one, its
// name. Answered from the last reading of the links.
class LinkConnectionNames : public ConnectionNames {
public:
    explicit LinkConnectionNames(LinuxLinks& links) : m_links(links) {}

    // Empty text for a name that is no interface.
    std::string connection_name(const std::string& adapter_name) override;

private:
    LinuxLinks& m_links;
};

}  // namespace quorvane
