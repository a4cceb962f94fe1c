#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/linux/InterfaceAddresses.h"
#include "platform/linux/LinkAttributeCache.h"
#include "platform/linux/LinuxLink.h"
#include "platform/linux/NetlinkLinkDump.h"

namespace quorvane {

// One reading of the machine's network state: the links and their IPv4 addresses.
struct LinkReading {
    std::vector<LinuxLink> links;  // ascending by interface index
    // Nothing when the addresses could not be read.
    std::optional<std::vector<InterfaceAddress>> addresses;
};

// The machine's links as the tables, the connection names and the dial-up directory see
// them. read() asks the kernel (one link dump and one address dump); last() answers the
// other lookups of the same tick from that reading, so a tick costs one read of the
// machine however many lookups it makes.
class LinuxLinks {
public:
    // The kernel's links and IPv4 addresses of this network namespace, both asked on one
    // netlink socket, and the sysfs of /sys/class/net.
    LinuxLinks();
    LinuxLinks(LinkSource links, std::filesystem::path sysfs_root, AddressSource addresses);

    // A fresh reading; no links when they cannot be read.
    const LinkReading& read();
    // The last reading, or a fresh one when there is none yet.
    const LinkReading& last();
    // The link of that name in the last reading, or none.
    const LinuxLink* find(const std::string& name);

    const LinkAttributeCache& attributes() const { return m_attributes; }
    // Grows whenever a reading differs from the last in more than the counters: what is
    // made of the links and addresses alone holds while it stays the same.
    std::size_t generation() const { return m_generation; }

private:
    explicit LinuxLinks(KernelSources kernel);

    LinkSource m_source;
    AddressSource m_addresses;
    LinkAttributeCache m_attributes;
    std::optional<LinkReading> m_reading;
    // Positions of the reading's links ascending by name, of equal names the lowest index
    // first: looking up every interface by name costs a tick no more than sorting once.
    std::vector<std::size_t> m_by_name;
    std::size_t m_generation = 0;
};

}  // namespace quorvane
